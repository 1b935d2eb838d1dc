// One-shot commands of the stand-in.
#include "Batch.h"

#include <iostream>

#include "Maildir.h"
#include "MailerSettings.h"
#include "Send.h"
#include "StandInStore.h"

namespace pelkmail {

namespace {

int Report(const ReceiveReport& r) {
    for (const auto& f : r.stored)
        std::cout << f << "\n";
    for (const auto& e : r.errors)
        std::cerr << "pelkmail: " << e << "\n";
    return r.errors.empty() ? 0 : 1;
}

}  // namespace

int RunImport(const std::string& home, const std::vector<std::string>& sources) {
    const StandInStore store(home);
    return Report(ImportSources(store, sources));
}

int RunReceive(const std::string& home) {
    const StandInStore store(home);
    const MailerSettings settings = LoadMailerSettings(home);
    if (settings.maildir.empty()) {
        std::cerr << "pelkmail: " << home << "/pelkmail.ini names no [Receive] Maildir\n";
        return 2;
    }
    return Report(ReceiveMaildir(store, settings.maildir));
}

int RunSend(const std::string& home, const std::vector<std::string>& drafts) {
    const StandInStore store(home);
    const MailerSettings settings = LoadMailerSettings(home);
    int status = 0;
    for (const auto& d : drafts) {
        const SendOutcome o = SendDraft(store, settings, d);
        if (o.ok)
            std::cout << o.sentFile << "\n";
        if (!o.error.empty()) {
            std::cerr << "pelkmail: " << d << ": " << o.error << "\n";
            status = 1;
        }
    }
    return status;
}

}  // namespace pelkmail
