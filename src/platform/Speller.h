// The spelling library: a main dictionary and the user's dictionary, asked word by word.
// Words are CP932 bytes.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace varnel::platform {

class Speller {
  public:
    virtual ~Speller() = default;
    // Loads the main dictionary and the user's word list (one word a line); false when
    // they cannot be used.
    virtual bool SetDictionary(const std::string& mainDic, const std::string& userDic) = 0;
    // 0: the word is known. -1: unknown, no suggestion. A positive count: unknown, with
    // that many suggestions in suggestions. Below -1: an error.
    virtual int Alternatives(const std::string& word, std::vector<std::string>& suggestions) = 0;
    // Known from now on, for this speller.
    virtual void AddSpell(const std::string& word) = 0;
};

// Loads the library for one check; nullptr with a short name of what is missing in
// error when it cannot be had.
using SpellerFactory = std::function<std::unique_ptr<Speller>(std::string& error)>;

}  // namespace varnel::platform
