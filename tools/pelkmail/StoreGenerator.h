// Builds a large mail store for tests and benches: N mails in in/ in threads of four
// (a question, the answer to our reply, a follow-up, an unrelated mail), one reply per
// thread in sent/, every seventh received mail unread, an empty trash and out folder,
// pelkmail.ini, folder.def and every index file.
#pragma once

#include <cstdint>
#include <string>

#include "store/IndexRecord.h"

namespace pelkmail {

// The record of mail i (1-based) of the received ("in") or sent folder of a generated
// store; record 0 of each folder is an empty slot.
varnel::store::IndexRecord GeneratedRecord(bool sent, long i);
// How many sent replies a store of n received mails has.
long GeneratedSentCount(long receivedMails);
// The mail file text of that record.
std::string GeneratedMail(const varnel::store::IndexRecord& record);

// Writes the store under home (created when missing); n is 1 to 9999. False with error
// set when something could not be written.
bool GenerateStore(const std::string& home, long n, std::string& error);

}  // namespace pelkmail
