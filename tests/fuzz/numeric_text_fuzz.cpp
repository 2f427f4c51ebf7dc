// The numeric value of a text and the Money readers and renderings. The text readers get
// the input as it is; the renderings get Money amounts made from its first sixteen bytes.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

#include "fuzz_check.h"
#include "ledger/money.h"
#include "ledger/numeric_text.h"

using namespace quorvel;

namespace {

// parseExact's range: a trillion currency units.
constexpr std::int64_t kExactLimit = 1'000'000'000'000LL * Money::kScale;
// Below this the journal form has at most eleven whole digits and reads back without a double.
constexpr std::int64_t kJournalExact = 100'000'000'000LL * Money::kScale;

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string_view::npos ? ""
                                           : text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

std::string shown(std::string_view text) { return "\"" + std::string(text.substr(0, 80)) + "\""; }

bool magnitudeBelow(std::int64_t units, std::int64_t limit) { return units > -limit && units < limit; }

std::int64_t saturated(__int128 exact) {
    using Limits = std::numeric_limits<std::int64_t>;
    return static_cast<std::int64_t>(std::clamp<__int128>(exact, Limits::min(), Limits::max()));
}

void checkText(std::string_view text) {
    const double value = numericValue(text);
    FUZZ_CHECK(!std::isnan(value), "numericValue is NaN for " + shown(text));
    const bool minus = trimmed(text).starts_with('-');
    FUZZ_CHECK(!(value < 0) || minus, "a negative value without a minus sign: " + shown(text));
    FUZZ_CHECK(!(value > 0) || !minus, "a positive value after a minus sign: " + shown(text));

    // The direct reading of short amounts promises the same Money as the double.
    const Money read = Money::fromText(text);
    FUZZ_CHECK(read == Money::fromDouble(value),
               "fromText differs from the rounded numeric value of " + shown(text));

    const std::optional<Money> exact = Money::parseExact(text);
    const bool number = readsAsNumber(text);
    FUZZ_CHECK(!exact || trimmed(text).empty() || number,
               "parseExact takes what readsAsNumber refuses: " + shown(text));
    FUZZ_CHECK(!number || exact || std::fabs(value) >= 1e12,
               "parseExact refuses a number within its range: " + shown(text));
    if (exact && magnitudeBelow(exact->units(), kJournalExact)) {
        const std::string_view body = trimmed(text);
        const std::size_t point = body.find('.');
        const bool fourDecimalsAtMost = point == std::string_view::npos || body.size() - point - 1 <= 4;
        FUZZ_CHECK(!fourDecimalsAtMost || read == *exact,
                   "fromText and parseExact read " + shown(text) + " differently");
    }
}

void checkRenderings(Money m, Money other) {
    const std::int64_t units = m.units();

    const std::string file = m.toFileText();
    const std::optional<Money> fromFile = Money::parseExact(file);
    // It reads back exactly within parseExact's range, and not at all beyond it.
    FUZZ_CHECK(magnitudeBelow(units, kExactLimit + 1) ? fromFile && *fromFile == m : !fromFile,
               "the month file form does not read back as itself: " + file);

    const std::string str = m.toStrText();
    FUZZ_CHECK(readsAsNumber(str), "the journal form is not a number: " + str);
    FUZZ_CHECK(Money::parseExact(str) == fromFile, "the journal and file forms read differently: " + str);
    FUZZ_CHECK(!magnitudeBelow(units, kJournalExact) || Money::fromText(str) == m,
               "the journal form does not read back: " + str);

    // Two decimals, rounded half away from zero.
    const std::string cents = m.format00();
    FUZZ_CHECK(cents != "-0.00", "format00 shows a negative zero");
    FUZZ_CHECK(cents.size() >= 4 && cents[cents.size() - 3] == '.',
               "format00 without two decimals: " + cents);
    if (magnitudeBelow(units, kExactLimit - 100)) {
        const std::optional<Money> rounded = Money::parseExact(cents);
        FUZZ_CHECK(rounded.has_value(), "format00 does not read back: " + cents);
        const std::int64_t difference = rounded->units() - units;
        const bool awayFromZero = units < 0 ? rounded->units() < units : rounded->units() > units;
        FUZZ_CHECK(std::abs(difference) < 50 || (std::abs(difference) == 50 && awayFromZero),
                   "format00 " + cents + " is not " + std::to_string(units) + " rounded to cents");
    }

    // Arithmetic saturates instead of overflowing.
    const __int128 a = units, b = other.units();
    FUZZ_CHECK((m + other).units() == saturated(a + b), "a sum does not saturate");
    FUZZ_CHECK((m - other).units() == saturated(a - b), "a difference does not saturate");
    FUZZ_CHECK((-m).units() == saturated(-a), "a negation does not saturate");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkText(text);

    std::int64_t units[2] = {0, 0};
    std::memcpy(units, data, size < sizeof units ? size : sizeof units);
    checkRenderings(Money::fromUnits(units[0]), Money::fromUnits(units[1]));
    // Amounts near the real ones are where the renderings have their cases.
    checkRenderings(Money::fromUnits(units[0] % (kJournalExact * 10)),
                    Money::fromUnits(units[1] % 1'000'000));
    return 0;
}
