// The fixture of the window tests: the fakes of FormFakes.h over a temporary mailer home
// and settings file.
#pragma once

#include <gtest/gtest.h>

#include "FormFakes.h"
#include "app/CommandTable.h"

namespace varnel::testing {

// A window test: a temporary root holding the mailer home root/Pelk and the settings
// file root/varnel32.ini, and the window started on them with PELKHOME set.
class FormTest : public ::testing::Test, protected FormFakes {
  protected:
    TempDir tmp;
    std::filesystem::path root{tmp.path()}, home{root / "Pelk"}, ini{root / "varnel32.ini"};
    std::filesystem::path workDir{root};  // the working directory the window starts in
    std::map<std::string, std::string> env{{"PELKHOME", home.string()}};
    std::unique_ptr<app::TForm1> form;

    // Writes a file below the mailer home and returns its path.
    std::string Put(const std::string& relative, const std::string& bytes) {
        WriteBytes(home / relative, bytes);
        return (home / relative).string();
    }
    void WriteSettings(const std::string& bytes) { WriteBytes(ini, bytes); }
    std::string Ini() const { return ReadAll(ini.string()); }
    app::TForm1& Start(const std::vector<std::string>& params) {
        form = StartForm(params, ini.string(), workDir.string(), env);
        return *form;
    }
    // Started, the second start-up phase run and what it sent forgotten.
    app::TForm1& StartReady(const std::vector<std::string>& params) {
        Start(params);
        timer1.Tick();
        channel.sent.clear();
        return *form;
    }
    // The macro naming a mail of a folder below the home: "[Kind(HOME/folder.fld,number)]".
    std::string Ref(const std::string& kind, const std::string& folder,
                    const std::string& number) const {
        return "[" + kind + "(" + (home / folder).string() + ".fld," + number + ")]";
    }
};

}  // namespace varnel::testing
