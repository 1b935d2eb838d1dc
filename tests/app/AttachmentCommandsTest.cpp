// Attachments, the HTML part and "Show with Browser" from the window. Python's email
// package is the oracle for the decoded attachment bytes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>

#include "FormTest.h"
#include "app/AttachedFile.h"
#include "app/EditorParagraphs.h"
#include "text/Cp932.h"

namespace varnel::app {
namespace {

namespace fs = std::filesystem;
using platform::Answer;

constexpr const char* kWriteMails = R"(
import sys, os, random
from email.message import EmailMessage
import email.policy
out = sys.argv[1]
random.seed(15)
blob = bytes(random.randrange(256) for _ in range(5000)) + b"\0\0end"
m = EmailMessage()
m["From"] = "a@example.jp"
m["To"] = "b@example.jp"
m["Subject"] = "files"
m.set_content("See the files.\n")
m.add_attachment(blob, maintype="application", subtype="octet-stream", filename="データ.bin")
m.add_attachment("caf\u00e9 au lait, " * 20 + "\nend\n", subtype="plain", charset="iso-8859-1",
                 cte="quoted-printable", filename="notes.txt")
p = EmailMessage()
p["From"] = "scanner@example.jp"
p["Subject"] = "scan"
p.set_content(b"%PDF-1.4\n" + blob, maintype="application", subtype="pdf", filename="scan.pdf")
for name, msg in (("multi", m), ("single", p)):
    open(os.path.join(out, name + ".txt"), "wb").write(
        b"X-Status: RECV\r\n" + msg.as_bytes(policy=email.policy.SMTP))
    parsed = email.message_from_bytes(open(os.path.join(out, name + ".txt"), "rb").read(),
                                      policy=email.policy.default)
    parts = [parsed] if not parsed.is_multipart() else list(parsed.iter_attachments())
    for k, part in enumerate(parts):
        data = part.get_payload(decode=True)
        open(os.path.join(out, "%s.%d" % (name, k)), "wb").write(data)
        open(os.path.join(out, "%s.%d.name" % (name, k)), "w").write(part.get_filename())
)";

class AttachmentCommandsTest : public testing::FormTest {
  protected:
    TForm1& Open(const std::string& mail, const std::string& settings = {}) {
        WriteSettings("[View]\r\nEnglishMenu=1\r\n[Location]\r\nDecodeDir=" + decodeDir + "\r\n" +
                      settings);
        StartReady({Put("inbox/0001.txt", mail)});  // the second phase reads DecodeDir
        prompter.asked.clear();
        return *form;
    }
    // The paragraphs of the shown text that begin like a summary line.
    std::vector<int> SummaryParagraphs() {
        std::vector<int> found;
        const auto paras = EditorParagraphs(form->SonEdit1());
        for (std::size_t i = 0; i < paras.size(); ++i)
            if (paras[i].starts_with(".------ Attached File:"))
                found.push_back(static_cast<int>(i));
        return found;
    }
    // Runs the window's Link menu item (or the double click's Web browser) with the caret
    // on paragraph para.
    void OpenAttachmentAt(int para, std::string_view command = "OpenAttachedFile2") {
        form->SonEdit1().MoveCaretTo(0, FirstLineOfParagraph(form->SonEdit1(), para));
        ASSERT_TRUE(RunCommand(*form, command));
    }
    std::string Paragraph(int para) { return EditorParagraphs(form->SonEdit1())[para]; }

    std::string decodeDir = (root / "decoded").string();
};

std::string Read(const fs::path& p) {
    return testing::ReadAll(p.string());
}

TEST_F(AttachmentCommandsTest, SavedBytesMatchPythonsEmailPackage) {
    const fs::path py = root / "py";
    fs::create_directories(py);
    const std::string cmd = "python3 -c '" + std::string(kWriteMails) + "' " + py.string();
    if (std::system(cmd.c_str()) != 0)
        GTEST_SKIP() << "python3 is needed as the oracle";
    for (const std::string name : {"multi", "single"}) {
        Open(Read(py / (name + ".txt")));
        const std::vector<int> lines = SummaryParagraphs();
        ASSERT_EQ(lines.size(), name == "multi" ? 2u : 1u) << name;
        for (std::size_t k = 0; k < lines.size(); ++k) {
            const std::string expected = Read(py / (name + "." + std::to_string(k)));
            const std::string fileName = Read(py / (name + "." + std::to_string(k) + ".name"));
            const std::string line = Paragraph(lines[k]);
            EXPECT_NE(line.find(text::Utf8ToCp932(fileName)), std::string::npos) << line;
            if (k == 0) {  // Base64: the shown size is exact
                EXPECT_EQ(SummaryLineSize(line), expected.size()) << line;
            }
            launcher.opened.clear();
            OpenAttachmentAt(lines[k], k == 0 ? "WebBrowzer1" : "OpenAttachedFile2");
            const fs::path saved = fs::path(decodeDir) / fileName;
            const std::string got = Read(saved);
            EXPECT_TRUE(got == expected)
                << saved << ": " << got.size() << " bytes, not " << expected.size();
            EXPECT_EQ(launcher.opened, std::vector<std::string>{saved.string()});
            EXPECT_TRUE(prompter.asked.empty()) << prompter.asked[0];
        }
    }
}

std::string MailWithFiles(const std::vector<std::string>& names, const std::string& text) {
    std::string m =
        "X-Status: RECV\r\nFrom: a@example.jp\r\nSubject: x\r\n"
        "Content-Type: multipart/mixed; boundary=\"b\"\r\n\r\n--b\r\n"
        "Content-Type: text/plain\r\n\r\n" +
        text + "--b\r\n";
    for (const std::string& n : names)
        m += "Content-Type: application/octet-stream; name=\"" + n +
             "\"\r\nContent-Transfer-Encoding: base64\r\n\r\naGk=\r\n--b\r\n";
    m.resize(m.size() - 2);
    return m + "--\r\n";
}

// Hostile names are saved by their base name inside DecodeDir; a line in the text that
// only looks like a summary line saves and opens nothing, even one copying a real line.
TEST_F(AttachmentCommandsTest, NothingIsWrittenOutsideTheDecodeDirectory) {
    struct Case {
        std::string name, saved;
        bool opened;
    } const cases[] = {
        {"../../escape.txt", "escape.txt", true},
        {"/tmp/abs.txt", "abs.txt", true},
        {"sub\\\\dir\\\\x.pdf", "x.pdf", true},
        {"-rf.txt", "_rf.txt", true},
        {".profile", "_profile", false},
        {"..", "attachment", false},
        {"RUN.SH", "RUN.SH", false},
        {"setup.Exe", "setup.Exe", false},
    };
    std::vector<std::string> names;
    for (const Case& c : cases)
        names.push_back(c.name);
    const std::string realLine = ".------ Attached File:          2 bytes  \"../../escape.txt\"";
    Open(MailWithFiles(names, realLine + "\r\n.------ Attached File:          2 bytes  "
                                         "\"../../../forged.sh\"\r\n"));
    std::vector<int> lines = SummaryParagraphs();
    ASSERT_EQ(lines.size(), 2 + std::size(cases));
    for (int forged : {lines[0], lines[1]}) {
        OpenAttachmentAt(forged);
        ASSERT_EQ(prompter.asked.size(), 1u);
        EXPECT_NE(prompter.asked[0].find("not an attachment"), std::string::npos);
        prompter.asked.clear();
    }
    EXPECT_FALSE(fs::exists(decodeDir));
    EXPECT_TRUE(launcher.opened.empty());

    for (std::size_t k = 0; k < std::size(cases); ++k) {
        launcher.opened.clear();
        prompter.asked.clear();
        prompter.script = {Answer::No};  // to the harmful-file question
        OpenAttachmentAt(lines[2 + k]);
        const fs::path saved = fs::path(decodeDir) / cases[k].saved;
        EXPECT_EQ(Read(saved), "hi") << cases[k].name;
        EXPECT_EQ(launcher.opened.size(), cases[k].opened ? 1u : 0u) << cases[k].name;
    }
    std::set<std::string> top;
    for (const auto& e : fs::directory_iterator(root))
        top.insert(e.path().filename().string());
    EXPECT_EQ(top, (std::set<std::string>{"Pelk", "decoded", "varnel32.ini"}));
    std::size_t files = 0;
    for (const auto& e : fs::recursive_directory_iterator(decodeDir))
        files += e.is_regular_file();
    EXPECT_EQ(files, std::size(cases));
}

// A file already in DecodeDir is not written again; a different size is asked about, and
// an executable one is asked about whatever its name.
TEST_F(AttachmentCommandsTest, ExistingFilesAreCheckedBeforeTheyOpen) {
    struct Case {
        std::string onDisk;
        fs::perms perms;
        Answer answer;
        std::size_t questions, opened;
    } const cases[] = {
        {"hi", fs::perms::owner_read | fs::perms::owner_write, Answer::Ok, 0, 1},
        {"longer", fs::perms::owner_read | fs::perms::owner_write, Answer::Cancel, 1, 0},
        {"longer", fs::perms::owner_read | fs::perms::owner_write, Answer::Ok, 1, 1},
        {"hi", fs::perms::owner_all, Answer::No, 1, 0},
    };
    for (const Case& c : cases) {
        const fs::path file = fs::path(decodeDir) / "report.txt";
        testing::WriteBytes(file, c.onDisk);
        fs::permissions(file, c.perms);
        Open(MailWithFiles({"report.txt"}, "text\r\n"));
        launcher.opened.clear();
        prompter.script = {c.answer};
        OpenAttachmentAt(SummaryParagraphs().at(0));
        EXPECT_EQ(prompter.asked.size(), c.questions) << c.onDisk;
        EXPECT_EQ(launcher.opened.size(), c.opened) << c.onDisk;
        EXPECT_EQ(Read(file), c.onDisk);
        form.reset();
    }
}

// The HTML part goes to the browser from the private directory; active content is asked
// about first, and No hands it to the TesraExe viewer instead.
TEST_F(AttachmentCommandsTest, HtmlMailOpensFromThePrivateDirectory) {
    const std::string htmlOnly =
        "X-Status: RECV\r\nFrom: a@example.jp\r\nContent-Type: text/html; charset=utf-8\r\n"
        "Content-Transfer-Encoding: quoted-printable\r\n\r\n<html><body onload=3D\"go()\">"
        "<script>x()</script></body></html>\r\n";
    const std::string safe =
        "X-Status: RECV\r\nContent-Type: multipart/related; boundary=r\r\n\r\n--r\r\n"
        "Content-Type: text/html\r\n\r\n<p>hello</p>\r\n--r--\r\n";
    struct Case {
        std::string mail, settings;
        Answer answer;
        std::size_t questions;
        std::string program, file, contains;
    } const cases[] = {
        {htmlOnly, "", Answer::Yes, 1, "xdg-open", "_varnel.htm", "<script>x()</script>"},
        {htmlOnly, "TesraExe=\"/opt/my viewer\" -r\r\n", Answer::No, 1, "/opt/my viewer",
         "_varnel.htm", "onload=\"go()\""},
        {safe, "WebBrowserPath=/usr/bin/firefox\r\n", Answer::Yes, 0, "/usr/bin/firefox",
         "_varnel.mht", "Content-Type: multipart/related"},
    };
    for (const Case& c : cases) {
        Open(c.mail, c.settings);
        launcher.started.clear();
        prompter.script = {c.answer};
        ASSERT_TRUE(RunCommand(*form, "HTMLmail1"));
        EXPECT_EQ(prompter.asked.size(), c.questions) << c.program;
        ASSERT_EQ(launcher.started.size(), 1u) << c.program;
        const std::vector<std::string>& argv = launcher.started[0];
        EXPECT_EQ(argv.front(), c.program);
        const fs::path shown = argv.back();
        EXPECT_EQ(shown.filename(), c.file);
        EXPECT_NE(Read(shown).find(c.contains), std::string::npos) << Read(shown);
        struct stat st {};
        ASSERT_EQ(::stat(shown.parent_path().c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
        EXPECT_EQ(st.st_uid, ::getuid());
        form.reset();
        EXPECT_FALSE(fs::exists(shown));  // the private directory goes with the window
    }
}

// "Show with Browser": the text escaped, its charset declared, web links made live.
TEST_F(AttachmentCommandsTest, ShowWithBrowserEscapesTheText) {
    Open(MailWithFiles({}, "<b>Tom & \"Jerry\"</b> \x95\x5c see http://example.jp/?a=1&b=2.\r\n"));
    launcher.started.clear();
    ASSERT_TRUE(RunCommand(*form, "DecodeNumberPart1"));
    ASSERT_EQ(launcher.started.size(), 1u);
    const std::string page = Read(launcher.started[0].back());
    EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(page.find("&lt;b&gt;Tom &amp; &quot;Jerry&quot;&lt;/b&gt; 表 see <a "
                        "href=\"http://example.jp/?a=1&amp;b=2\">http://example.jp/?a=1&amp;b=2</"
                        "a>.<br>"),
              std::string::npos)
        << page;
    EXPECT_EQ(page.find("<b>"), std::string::npos);
}

TEST(AttachedFileTest, SizesAndNames) {
    EXPECT_EQ(SummaryLineSize(".------ Attached File:123,456,789 bytes  \"a\""), 123456789u);
    // An 11-column number fills the field from column 23.
    EXPECT_EQ(SummaryLineSize(".------ Attached File:12,345,678,901 bytes  \"a\""), 12345678901u);
    EXPECT_EQ(SummaryLineSize(".------ Attached File:          7 bytes  \"a\""), 7u);
    EXPECT_FALSE(SummaryLineSize(".------ Attached File: x bytes  \"a\""));
    // A "\" inside a double-byte character is no separator.
    EXPECT_EQ(AttachmentFileName("\x95\x5c.txt"), "表.txt");
    EXPECT_EQ(AttachmentFileName("a\x01\x7f\x62.txt"), "ab.txt");
    EXPECT_TRUE(HasOpenableExtension("/d/a.jpeg"));
    EXPECT_FALSE(HasOpenableExtension("/d.x/readme"));
    EXPECT_FALSE(HasOpenableExtension("/d/run.AppImage"));
}

}  // namespace
}  // namespace varnel::app
