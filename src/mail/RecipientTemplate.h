// The recipient template of a new reply draft: the recipients' organisations and names
// from recipient.csv in place of "%recipients%", and a greeting that depends on the time
// of day in place of "%greeting1%" to "%greeting3%".
#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::mail {

// "@domain" -> organisation, "address" -> name; keys compared exactly.
using RecipientTable = std::map<std::string, std::string, std::less<>>;

// Reads recipient.csv: key "," value a line; lines without a comma or with the comma
// first are skipped; a value is cut to 255 bytes at a character boundary; at most 501
// entries (the first of a repeated key wins).
RecipientTable ParseRecipientTable(std::string_view bytes);

// The greeting of a setting "hhmm/text/hhmm/text/..." at local time hhmm: the text of
// the first pair whose time is later; empty when none is.
std::string GreetingAt(std::string_view setting, int hhmm);

struct TemplateInputs {
    const RecipientTable* table = nullptr;  // nullptr: no recipient.csv
    std::array<std::string, 3> greetings;   // Greeting1..3
    int hhmm = 0;                           // local time as a number, 1234 = 12:34
};

// Applies the template to a draft's lines (paragraphs).
void ApplyRecipientTemplate(std::vector<std::string>& lines, const TemplateInputs& in);

}  // namespace varnel::mail
