#include "terminal_text.h"

#include <iconv.h>

#include <cerrno>

namespace quorvel::cli {
namespace {

class Converter {
public:
    Converter() : cd_(iconv_open("UTF-8", "WINDOWS-1252")) {}
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
    static Converter converter;
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

}  // namespace quorvel::cli
