// Piecewise Base64 decoding.
#include "mail/Base64.h"

namespace varnel::mail {

int Base64Value(char c) {
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

namespace {

void Append(std::string& out, std::uint32_t b) {
    if (b != 0)
        out += static_cast<char>(b);
}

}  // namespace

bool Base64Decoder::Feed(char c, std::string& out) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
        return true;
    if (c == '=') {
        Flush(out);
        return true;
    }
    const int v = Base64Value(c);
    if (v < 0)
        return false;
    acc_ = (acc_ << 6) | static_cast<std::uint32_t>(v);
    if (++n_ == 4) {
        Append(out, (acc_ >> 16) & 0xFF);
        Append(out, (acc_ >> 8) & 0xFF);
        Append(out, acc_ & 0xFF);
        acc_ = 0;
        n_ = 0;
    }
    return true;
}

void Base64Decoder::Flush(std::string& out) {
    if (n_ == 2) {
        Append(out, (acc_ >> 4) & 0xFF);
    } else if (n_ == 3) {
        Append(out, (acc_ >> 10) & 0xFF);
        Append(out, (acc_ >> 2) & 0xFF);
    }
    acc_ = 0;
    n_ = 0;
}

}  // namespace varnel::mail
