// The stand-in's own keys in pelkmail.ini: where mail comes from and how it leaves.
//
//   [Receive]
//   Maildir=~/Maildir        the Maildir [Receive] takes new mail from
//   Interval=60              also look every 60 seconds (0 or absent: only on [Receive])
//   [Send]
//   Command=sendmail -t -oi  the program finished drafts are piped to (empty: no sending)
//   From=Name <me@example.jp>  the From field of sent mail when the draft has none
//   [Reply]
//   Template=%recipients%\n%greeting1%  lines under a reply draft's separator ("\n"
//                            between lines), for the viewer's recipient template
#pragma once

#include <string>
#include <vector>

namespace pelkmail {

struct MailerSettings {
    std::string maildir;  // absolute, "" when none
    int intervalSeconds = 0;
    std::vector<std::string> sendCommand;  // program and arguments; empty: no sending
    std::string sendCommandText;           // as written, for messages
    std::string from;                      // CP932
    std::string replyTemplate;             // CP932, CR LF between lines; "" = none
    std::string error;                     // a value that could not be used
};

// Reads home/pelkmail.ini. Without a Command key, "/usr/sbin/sendmail -t -oi" is used when
// that program exists; a relative Maildir is taken from home, and "~/" from $HOME.
MailerSettings LoadMailerSettings(const std::string& home);

}  // namespace pelkmail
