#include "terminal_text.h"

#include <iconv.h>

#include <cerrno>

namespace quorvel::cli {
namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

bool isAscii(std::string_view text) {
    for (unsigned char c : text) {
        if (c >= 0x80) return false;
    }
    return true;
}

}  // namespace

std::string toTerminal(std::string_view cp1252) {
    if (isAscii(cp1252)) return std::string(cp1252);
    static Converter converter("UTF-8", "WINDOWS-1252");
    std::string out;
    if (!converter.valid()) {
        for (unsigned char c : cp1252) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
        return out;
    }
    iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);
    std::string input(cp1252);
    char* in = input.data();
    std::size_t inLeft = input.size();
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t done = iconv(converter.get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // A byte without a character: show a placeholder and go on.
            out.push_back('?');
            ++in;
            --inLeft;
        }
    }
    return out;
}

std::optional<std::string> fromTerminal(std::string_view utf8) {
    if (isAscii(utf8)) return std::string(utf8);
    static Converter converter("WINDOWS-1252", "UTF-8");
    if (!converter.valid()) return std::nullopt;
    iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);
    std::string input(utf8);
    char* in = input.data();
    std::size_t inLeft = input.size();
    // One byte out for each character in: never more bytes than came in.
    std::string out(input.size(), '\0');
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t converted = iconv(converter.get(), &in, &inLeft, &outPtr, &outLeft);
    if (converted == static_cast<std::size_t>(-1)) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace quorvel::cli
