#include "text_fields.h"

namespace quorvel {

std::string padRight(std::string_view text, std::size_t width) {
    std::string out(text.substr(0, width));
    out.resize(width, ' ');
    return out;
}

std::string alignRight(std::string_view text, std::size_t width) {
    if (text.size() >= width) return std::string(text.substr(0, width));
    // Built in place: reports and lists call this for every amount they show.
    std::string out(width, ' ');
    text.copy(out.data() + (width - text.size()), text.size());
    return out;
}

void placeAt(std::string& line, std::size_t position, std::string_view text, std::size_t width) {
    if (width != 0) text = text.substr(0, width);
    const std::size_t start = position - 1;
    if (line.size() < start + text.size()) line.resize(start + text.size(), ' ');
    line.replace(start, text.size(), text);
}

std::string_view slice(std::string_view text, std::size_t position, std::size_t width) {
    if (position - 1 >= text.size()) return {};
    return text.substr(position - 1, width);
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::string zeroPadded(long long n, int digits) {
    const std::string number = std::to_string(n < 0 ? -n : n);
    const std::size_t width = static_cast<std::size_t>(digits);
    const std::string zeros(number.size() < width ? width - number.size() : 0, '0');
    return (n < 0 ? "-" : "") + zeros + number;
}

}  // namespace quorvel
