// Loading the settings file into Settings: the keys with their defaults and the rules
// that turn stored values into the forms the program uses.
#pragma once

#include <string>
#include <string_view>

#include "app/Environment.h"
#include "app/IniFile.h"
#include "app/Settings.h"

namespace varnel::app {

// First phase, at show time: sections "Window" (placement, EditWidth), "Alert", the
// first-phase keys of "View" and TesraExe/Pilvo1Exe of "Location". Fields of the other
// phase are left as they are. Absent keys take the defaults of a fresh Settings.
void LoadSettingsPhase1(const IniFile& ini, Settings& s);

// Second phase, on the first timer tick: the remaining keys of "View", "Location",
// "Edit", "Pelk", "Key", the user menus ("ReplyStatus", "Command", "Insert"),
// "SpellCheck", "Printer", "FindDialog", InvokeCount; then finds the mailer
// (s.mailer; a MailerHome already set, from the opened mail, is kept).
void LoadSettingsPhase2(const IniFile& ini, Settings& s, const EnvLookup& env);

// Both phases on a fresh Settings, as after the options dialog; mailerHome carries the
// home found earlier over into it.
Settings LoadAllSettings(const IniFile& ini, const EnvLookup& env, const std::string& mailerHome);

// Some key of section "Key" (the reply-status keys included) holds code.
bool AnyKeySettingIs(const KeySettings& keys, int code);

// Helpers of the rules, exposed for their tests.
// The value of the "Key" setting name (e.g. "ReplyAll"); 0 for an unknown name.
int KeyCodeOf(const KeySettings& keys, std::string_view name);
// Removes one trailing "." (which protects trailing blanks in the file).
std::string StripProtectingDot(std::string value);
// Every double-byte character followed by one blank; single-byte characters unchanged.
std::string SpaceAfterDoubleByte(std::string_view chars);
// The ruler caption with LineNum applied: six blanks put in front when line numbers are
// on and it does not start with a blank; its first six characters removed when they are
// off and it does.
std::string RulerCaptionFor(std::string caption, bool lineNum);

}  // namespace varnel::app
