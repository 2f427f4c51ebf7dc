#include "name_rules.h"

#include "code_page.h"
#include "text_fields.h"

namespace quorvel {
namespace {

// Windows-1252 letters in one case: ASCII, and the accented capitals 0xC0-0xDE but 0xD7 (×).
unsigned char folded(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
    return c;
}

bool sameName(std::string_view a, std::string_view b) {
    a = trimBlanks(a);
    b = trimBlanks(b);
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (folded(static_cast<unsigned char>(a[i])) != folded(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

// Rows without a key hold no fund or source, whatever their name cell says.
template <typename Names>
Result<std::string> checkedName(const Names& names, const Names& keys, int last, std::string_view typed,
                                int row, std::size_t maxLength, const std::string& what) {
    const std::string name(trimBlanks(typed));
    if (Status s = checkStorableText(name, "The " + what + " name"); !s) return s;
    if (maxLength != 0 && name.size() > maxLength) {
        return Status::Error("The " + what + " name \"" + name + "\" is longer than " +
                             std::to_string(maxLength) + " characters.");
    }
    // A name kept as it was is no new duplicate, even where an older file already has one.
    if (row >= 1 && row <= last && !keys[row].empty() && trimBlanks(names[row]) == name) return name;
    for (int k = 1; k <= last; ++k) {
        if (k != row && !keys[k].empty() && sameName(names[k], name)) {
            return Status::Error("A " + what + " named \"" + names[k] +
                                 "\" already exists: choose another name.");
        }
    }
    return name;
}

}  // namespace

Result<std::string> fundName(const Ledger& ledger, std::string_view typed, int row, std::size_t maxLength) {
    return checkedName(ledger.DesigAcctName, ledger.DesigAcctNumber, kLastWorkingRow, typed, row, maxLength,
                       "fund");
}

Result<std::string> sourceName(const Ledger& ledger, std::string_view typed, int row) {
    auto name = checkedName(ledger.SourceName, ledger.SourceId, kLastSourceRow, typed, row, kSourceNameLength,
                            "source");
    if (name && !sourceListed(*name)) {
        return Status::Error(
            "A source name needs two characters at least: a shorter one would hide the source "
            "from the source list.");
    }
    return name;
}

}  // namespace quorvel
