// Fuzzes the header pass and the mark-read rewrite of a received mail. Oracle: opening
// the file that the first open wrote rewrites nothing (a fixed point), whatever the
// status, Date, Received and address fields hold.
#include <cstddef>
#include <cstdint>
#include <string>

#include "mail/DecodeMail.h"

using namespace varnel::mail;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    // The first two bytes choose the settings, the rest is the mail file.
    HeaderOptions o;
    o.FixAddress = data[0] & 1;
    o.AddDate = data[0] & 2;
    o.NotifyDispositionMode = data[0] & 4;
    o.TabToSpace = (data[0] & 8) ? -1 : 4;
    o.HeaderList = (data[0] & 16) ? ",x-status:,x-mailer:" : ",";
    o.MyAddresses = "me@example.jp";
    o.MinutesToCorrect = (data[0] & 32) ? -120 : data[1];
    const std::string bytes(reinterpret_cast<const char*>(data) + 2, size - 2);

    const std::string path = "/home/u/Pelk/in/0001.txt";
    const DecodeState state;
    const DecodedMail first = DecodeMailForDisplay(path, bytes, o, state);
    if (!first.rewritten)
        return 0;
    if (*first.rewritten == bytes)
        __builtin_trap();  // an unchanged file is never written
    const DecodedMail second = DecodeMailForDisplay(path, *first.rewritten, o, state);
    if (second.rewritten)
        __builtin_trap();  // the second open must find nothing to change
    return 0;
}
