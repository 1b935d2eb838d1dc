// The speller over Hunspell: the main aff/dic pair and the user's word list.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Speller.h"

class Hunspell;

namespace varnel::qt {

class HunspellSpeller : public platform::Speller {
  public:
    HunspellSpeller();
    ~HunspellSpeller() override;

    // mainDic is the pair's path without extension.
    bool SetDictionary(const std::string& mainDic, const std::string& userDic) override;
    int Alternatives(const std::string& word, std::vector<std::string>& suggestions) override;
    void AddSpell(const std::string& word) override;

    // The factory of the window: one speller per check.
    static platform::SpellerFactory Factory();

  private:
    std::string ToDictionary(const std::string& cp932) const;
    std::string FromDictionary(const std::string& text) const;

    std::unique_ptr<Hunspell> hunspell_;
    bool utf8_ = true;
};

}  // namespace varnel::qt
