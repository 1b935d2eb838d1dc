// The stand-in's receive and send settings.
#include "MailerSettings.h"

#include <unistd.h>

#include <cstdlib>

#include "app/IniFile.h"
#include "text/CommandSplit.h"
#include "text/Sjis.h"

namespace pelkmail {

using namespace varnel;

namespace {

constexpr const char* kSendmail = "/usr/sbin/sendmail";

}  // namespace

MailerSettings LoadMailerSettings(const std::string& home) {
    MailerSettings s;
    const app::IniFile ini(home + "/pelkmail.ini");
    std::string dir = ini.ReadString("Receive", "Maildir", "");
    if (dir.starts_with("~/")) {
        const char* h = std::getenv("HOME");
        dir = std::string(h ? h : "") + dir.substr(1);
    } else if (!dir.empty() && dir.front() != '/') {
        dir = home + "/" + dir;
    }
    s.maildir = dir;
    s.intervalSeconds = std::max(0, ini.ReadInteger("Receive", "Interval", 0));
    if (ini.HasKey("Send", "Command"))
        s.sendCommandText = ini.ReadString("Send", "Command", "");
    else if (::access(kSendmail, X_OK) == 0)
        s.sendCommandText = std::string(kSendmail) + " -t -oi";
    std::string why;
    if (!text::SplitCommand(s.sendCommandText, s.sendCommand, &why))
        s.error = "[Send] Command: " + why;
    s.from = ini.ReadString("Send", "From", "");
    s.replyTemplate = text::ReplaceAll(ini.ReadString("Reply", "Template", ""), "\\n", "\r\n");
    return s;
}

}  // namespace pelkmail
