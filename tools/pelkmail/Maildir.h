// Receiving from a Maildir into the inbox, so that a kill at any moment loses nothing
// and stores nothing twice.
#pragma once

#include <string>
#include <vector>

#include "StandInStore.h"

namespace pelkmail {

struct ReceiveReport {
    std::vector<std::string> stored;  // mail files written
    std::vector<std::string> errors;
};

// Takes every message in maildir/new into the inbox (in order of name): its number is
// written to the journal first, then the mail file (atomically), then its index record,
// and last the message is moved to maildir/cur with the S flag. A message found in new/
// whose journalled mail file holds it already is not stored again; only its record and
// its move are completed. The journal is emptied when new/ has been emptied.
ReceiveReport ReceiveMaildir(const StandInStore& store, const std::string& maildir);

// Imports every message of the sources into the inbox; nothing in the sources changes.
ReceiveReport ImportSources(const StandInStore& store, const std::vector<std::string>& sources);

// The Maildir name a message has in cur/ once seen: "unique:2,FLAGS" with S among the
// flags, in order.
std::string SeenName(const std::string& newName);

}  // namespace pelkmail
