#include <gtest/gtest.h>

#include "text/Windows1252.h"

namespace varnel::text {
namespace {

TEST(Windows1252, MapsTheTypographicBytesAndKeepsLatin1) {
    const struct {
        unsigned char byte;
        char16_t want;
    } cases[] = {
        {0x41, u'A'}, {0x7F, 0x7F}, {0x80, u'€'}, {0x81, 0x81}, {0x82, u'‚'}, {0x8C, u'Œ'},
        {0x8D, 0x8D}, {0x8E, u'Ž'}, {0x8F, 0x8F}, {0x90, 0x90}, {0x91, u'‘'}, {0x92, u'’'},
        {0x93, u'“'}, {0x94, u'”'}, {0x96, u'–'}, {0x97, u'—'}, {0x99, u'™'}, {0x9D, 0x9D},
        {0x9E, u'ž'}, {0x9F, u'Ÿ'}, {0xA0, 0xA0}, {0xE9, u'é'}, {0xFF, u'ÿ'},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Windows1252ToUnicode(c.byte), c.want) << std::hex << int(c.byte);
}

}  // namespace
}  // namespace varnel::text
