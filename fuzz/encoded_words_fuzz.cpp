// Fuzzes attachment-name extraction, the encoded-word decoders and the JIS tools.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "mail/AttachmentName.h"
#include "mail/EncodedWords.h"
#include "mail/JisKana.h"
#include "mail/JisRepair.h"
#include "mail/NkfConverter.h"
#include "mail/TextReplace.h"

using namespace varnel::mail;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::string s(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 8) {
        case 0:
            ExtractAttachmentName(s);
            ExtractAttachmentName("Content-Type: application/octet-stream; " + s);
            break;
        case 1:
            DecodeEncodedWords(s, "=?iso-2022-jp?b?");
            DecodeEncodedWords(s, "?iso-2022-jp?b?");
            break;
        case 2:
            DecodeQWord(s, s.size() / 3, 11);
            DecodeQWord(s, 0, s.size() + 5);
            break;
        case 3:
            DecodeMimeWords(s);
            break;
        case 4:
            NkfConvertString(s, "-s");
            JisToSjis(s);
            EucToSjis(s);
            break;
        case 5: {
            std::string t = s;
            JisKanaToFullWidth(t);
            break;
        }
        case 6:
            RepairDamagedJis(s);
            break;
        default: {
            std::string t = s;
            const std::size_t cut =
                s.empty() ? 0
                          : std::min<std::size_t>(s.size(), static_cast<unsigned char>(s[0]) % 4);
            ReplaceAllText(t, s.substr(0, cut), s.substr(cut, cut / 2));
            break;
        }
    }
    return 0;
}
