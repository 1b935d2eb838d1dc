// Dates and addresses of a mail header.
// Dates: a date that reads is the same instant when written out again and read back.
// Addresses: taking addresses off a field always ends and makes up no byte (but the
// comma between two addresses that lacked one); the bare address is
// part of its input; a repaired list repairs to itself.
#include <chrono>
#include <cstdio>
#include <string>

#include "FuzzInput.h"
#include "mail/Addresses.h"
#include "mail/MailDate.h"

using namespace varnel::mail;
using varnel::fuzzing::Check;

namespace {

void Dates(const std::string& s) {
    const auto t = ParseMailDate(s);
    if (!t)
        return;
    const auto days = std::chrono::floor<std::chrono::days>(*t);
    const std::chrono::year_month_day ymd(days);
    const std::chrono::hh_mm_ss hms(*t - days);
    if (int(ymd.year()) < 1000 || int(ymd.year()) > 9999)
        return;
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char text[64];
    std::snprintf(text, sizeof text, "%02u %s %04d %02ld:%02ld:%02ld +0000", unsigned(ymd.day()),
                  kMonths[unsigned(ymd.month()) - 1], int(ymd.year()), long(hms.hours().count()),
                  long(hms.minutes().count()), long(hms.seconds().count()));
    Check(ParseMailDate(text) == t, "a date written out reads back");
    Check(DatesDisagree(*t, *t, 1) == false, "a date agrees with itself");
}

bool IsSubsequence(const std::string& part, const std::string& whole) {
    std::size_t i = 0;
    for (char c : whole) {
        if (i < part.size() && part[i] == c)
            ++i;
    }
    return i == part.size();
}

std::string WithoutBlanks(std::string_view s) {
    std::string r;
    for (char c : s) {
        if (c != ' ' && c != '\t' && c != ',')
            r += c;
    }
    return r;
}

// A field's value is one header line: it holds no line break.
std::string WithoutLineBreaks(std::string s) {
    std::erase_if(s, [](char c) { return c == '\r' || c == '\n'; });
    return s;
}

void Addresses(const std::string& field, const std::string& own) {
    std::string rest = field, pending, taken;
    bool toMe = false;
    for (std::size_t steps = 0;; ++steps) {
        Check(steps <= field.size() + 1, "splitting ends");
        const std::size_t before = rest.size();
        const bool whole = SplitNextAddress(rest, pending, own, toMe);
        taken += pending;
        if (!whole)
            break;
        pending.clear();
        Check(rest.size() < before, "each address takes something off");
    }
    // (A piece shorter than two bytes is dropped on purpose: it is no address.)
    Check(IsSubsequence(WithoutBlanks(taken), WithoutBlanks(field)), "no byte is made up");
    const std::string bare = BareAddress(field);
    Check(field.find(bare) != std::string::npos, "the bare address is part of the field");
    const std::string repaired = RepairAddressList(field);
    Check(RepairAddressList(repaired) == repaired, "a repaired list stays as it is");
    IsSuspiciousAddress(field);
    QuoteDisplayName(field);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const auto p = varnel::fuzzing::Parts(data + 1, size - 1, 2);
    if (data[0] & 1)
        Dates(p[0] + p[1]);
    else
        Addresses(WithoutLineBreaks(p[0]), p[1]);
    return 0;
}
