// Code page 949 through iconv (glibc's "CP949", the Unified Hangul Code).
#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "settings/text_convert.h"

namespace gkr {

namespace {

class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (valid()) iconv_close(cd_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

enum class Outcome { Done, Truncated, Invalid };

// Converts all of `in`; an incomplete sequence at the very end stops the
// conversion without error (its bytes are dropped).
Outcome Convert(const Iconv& cd, const char* in, size_t inBytes, std::vector<char>& out) {
    if (!cd.valid()) return Outcome::Invalid;
    char* src = const_cast<char*>(in);
    size_t srcLeft = inBytes;
    out.assign(inBytes * 4 + 16, '\0');
    char* dst = out.data();
    size_t dstLeft = out.size();
    while (srcLeft > 0) {
        if (iconv(cd.get(), &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1)) break;
        if (errno == EINVAL) {
            out.resize(out.size() - dstLeft);
            return Outcome::Truncated;
        }
        if (errno != E2BIG) return Outcome::Invalid;
        const size_t used = out.size() - dstLeft;
        out.resize(out.size() * 2);
        dst = out.data() + used;
        dstLeft = out.size() - used;
    }
    out.resize(out.size() - dstLeft);
    return Outcome::Done;
}

}  // namespace

std::wstring ToWide(const std::string& narrow) {
    if (narrow.empty()) return std::wstring();
    const Iconv cd("WCHAR_T", "CP949");
    std::vector<char> out;
    if (Convert(cd, narrow.data(), narrow.size(), out) == Outcome::Invalid) {
        throw std::runtime_error("can't convert string to wstring");
    }
    std::wstring wide(out.size() / sizeof(wchar_t), L'\0');
    std::memcpy(&wide[0], out.data(), wide.size() * sizeof(wchar_t));
    return wide.substr(0, wide.find(L'\0'));
}

std::string ToNarrow(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    const Iconv cd("CP949", "WCHAR_T");
    std::vector<char> out;
    if (Convert(cd, reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t), out) !=
        Outcome::Done) {
        throw std::runtime_error("can't convert wstring to string");
    }
    const std::string narrow(out.data(), out.size());
    return narrow.substr(0, narrow.find('\0'));
}

}  // namespace gkr
