// Generated MIME trees (fixed seed): nested multiparts and forwarded messages, whose
// headers put Content-Type first or last, attachments first and last, HTML parts
// before and after text. Every text line and every named attachment must show exactly
// once, and no HTML line at all.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "mail/DecodeMail.h"

using namespace varnel::mail;

namespace {

struct Entity {
    std::vector<std::string> header;  // its own Content-* fields
    std::vector<std::string> body;
};

class TreeMaker {
  public:
    explicit TreeMaker(unsigned seed) : rng_(seed) {}

    std::vector<std::string> Mail(bool forwards) {
        forwards_ = forwards;
        Entity top = Multipart(0);
        std::vector<std::string> m = {"X-Status: READ",
                                      "From: a@example.jp",
                                      "To: b@example.jp",
                                      "Subject: tree",
                                      "Date: Sun, 06 Dec 2026 09:00:00 +0900",
                                      "MIME-Version: 1.0"};
        m.insert(m.end(), top.header.begin(), top.header.end());
        m.emplace_back();
        m.insert(m.end(), top.body.begin(), top.body.end());
        return m;
    }

    std::map<std::string, int> texts;        // line -> times it must show (1)
    std::map<std::string, int> attachments;  // file name -> 1
    std::vector<std::string> html;           // lines that must never show

  private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    Entity Text() {
        Entity e;
        if (Pick(3))
            e.header = {"Content-Type: text/plain; charset=iso-2022-jp"};
        const int n = 1 + Pick(3);
        for (int k = 0; k < n; ++k) {
            std::string line = "text " + std::to_string(++count_) + " line " + std::to_string(k);
            texts[line] = 1;
            e.body.push_back(line);
        }
        return e;
    }

    Entity Html() {
        std::string line = "<p>html " + std::to_string(++count_) + "</p>";
        html.push_back(line);
        return {{"Content-Type: text/html; charset=iso-2022-jp"},
                {"<html><body>", line, "</body></html>"}};
    }

    Entity Attachment() {
        const std::string name = "file" + std::to_string(++count_) + ".bin";
        attachments[name] = 1;
        Entity e;
        if (Pick(2))
            e.header = {"Content-Type: application/octet-stream; name=\"" + name + "\"",
                        "Content-Transfer-Encoding: base64"};
        else
            e.header = {"Content-Type: application/pdf", "Content-Transfer-Encoding: base64",
                        "Content-Disposition: attachment;", "\tfilename=\"" + name + "\""};
        for (int k = Pick(4); k >= 0; --k)
            e.body.push_back(
                "JVBERi0xLjQKJcfsj6IKNSAwIG9iago8PC9MZW5ndGggNiAwIFIvRmlsdGVyIC9GbGF0ZURl");
        return e;
    }

    Entity Forward(int depth) {
        Entity inner = Pick(3) == 0 ? Text() : Pick(4) == 0 ? Html() : Multipart(depth + 1);
        std::vector<std::string> fields = {"From: c@example.net", "To: a@example.jp",
                                           "Subject: forwarded",
                                           "Date: Sat, 05 Dec 2026 18:00:00 +0900",
                                           "Message-Id: <" + std::to_string(++count_) + "@x>"};
        // Phone clients write Content-Type first; others last.
        const auto at = Pick(2) ? fields.begin() : fields.end();
        fields.insert(at, inner.header.begin(), inner.header.end());
        Entity e{{"Content-Type: message/rfc822"}, std::move(fields)};
        e.body.emplace_back();
        e.body.insert(e.body.end(), inner.body.begin(), inner.body.end());
        return e;
    }

    Entity Multipart(int depth) {
        const std::string b = "b" + std::to_string(++count_) + "_x";
        Entity e{{
                     Pick(2) ? "Content-Type: multipart/mixed; boundary=\"" + b + "\""
                             : "Content-Type: multipart/alternative;",
                 },
                 {}};
        if (e.header[0].ends_with(";"))
            e.header.push_back("\tboundary=\"" + b + "\"");
        const int n = 1 + Pick(4);
        const bool attachmentFirst = Pick(3) == 0, attachmentLast = Pick(3) == 0;
        for (int k = 0; k < n; ++k) {
            Entity c;
            if ((k == 0 && attachmentFirst) || (k == n - 1 && attachmentLast))
                c = Attachment();
            else if (depth < 3 && forwards_ && Pick(4) == 0)
                c = Forward(depth);
            else if (depth < 3 && Pick(5) == 0)
                c = Multipart(depth + 1);
            else
                c = Pick(4) == 0 ? Html() : Pick(3) == 0 ? Attachment() : Text();
            e.body.push_back("--" + b);
            e.body.insert(e.body.end(), c.header.begin(), c.header.end());
            e.body.emplace_back();
            e.body.insert(e.body.end(), c.body.begin(), c.body.end());
            e.body.emplace_back();
        }
        e.body.push_back("--" + b + "--");
        return e;
    }

    std::mt19937 rng_;
    bool forwards_ = true;
    int count_ = 0;
};

std::string Join(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines)
        s += l + "\r\n";
    return s;
}

}  // namespace

TEST(MimeTreeRandom, EveryTextLineAndAttachmentShowsOnce) {
    int trees = 0;
    for (const bool forwards : {true, false}) {
        for (unsigned seed = 1; seed <= 400; ++seed) {
            TreeMaker t(seed + (forwards ? 0 : 100000));
            const std::string mail = Join(t.Mail(forwards));
            const DecodedMail d = DecodeMailForDisplay("/home/u/Pelk/in/0001.txt", mail,
                                                       HeaderOptions{}, DecodeState{});
            std::map<std::string, int> texts, attachments;
            for (const auto& line : d.lines) {
                if (t.texts.contains(line))
                    ++texts[line];
                if (line.starts_with(".------ Attached File:")) {
                    const std::size_t q = line.find('"');
                    ++attachments[line.substr(q + 1, line.size() - q - 2)];
                }
                for (const auto& h : t.html)
                    ASSERT_NE(line, h) << "seed " << seed << "\n" << mail;
            }
            ASSERT_EQ(texts, t.texts) << "seed " << seed << "\n" << mail;
            ASSERT_EQ(attachments, t.attachments) << "seed " << seed << "\n" << mail;
            ++trees;
        }
    }
    EXPECT_EQ(trees, 800);
}
