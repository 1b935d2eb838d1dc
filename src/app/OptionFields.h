// The settings the options dialog shows, grouped as a user looks for them, and the
// keys that an edit changed.
#pragma once

#include <vector>

#include "app/IniFile.h"
#include "platform/OptionsDialog.h"

namespace varnel::app {

// Every field with its value from ini (the default when the key is absent).
std::vector<platform::OptionField> ReadOptionFields(const IniFile& ini);

// The writes of the fields whose value differs from before (same order, same fields).
std::vector<SettingWrite> ChangedOptions(const std::vector<platform::OptionField>& before,
                                         const std::vector<platform::OptionField>& after);

}  // namespace varnel::app
