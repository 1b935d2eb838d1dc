// Where the spelling check's dictionaries are: "BasicDic" names an aff/dic pair (with
// or without an extension); a name that is not such a pair (such as the Windows default)
// falls back to the system's English dictionary. The user's word list lives in the
// config directory.
#pragma once

#include <string>
#include <vector>

namespace varnel::tools {

// Path of the pair without extension (base.aff and base.dic both exist), or "" when
// neither BasicDic nor any en_US pair in systemDirs is there.
std::string MainDictionaryBase(const std::string& basicDic,
                               const std::vector<std::string>& systemDirs);

// The directories searched for the system's dictionaries.
std::vector<std::string> SystemDictionaryDirs();

// The user's dictionary file in the config directory.
std::string UserDictionaryPath(const std::string& configDir);

}  // namespace varnel::tools
