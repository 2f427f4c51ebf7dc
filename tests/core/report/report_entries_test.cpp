// The report window's entries: the amount and copies boxes, the accounts' total, and the files
// that keep the account names (accounts.dat) and titles (titles.dat) from one use to the next
// (the fuzz target feeds the names reader any bytes).
#include <gtest/gtest.h>

#include "core/test_folder.h"
#include "report/account_names.h"
#include "report/report_entries.h"

namespace quorvel {
namespace {

// Amounts settle to two decimals or empty; copies round half to even within sixteen bits; the
// total adds each amount as read.
TEST(ReportEntries, BoxesSettleAndAddUp) {
    const std::optional<int> none;
    // clang-format off
    const std::pair<const char*, const char*> amounts[] = {{"5", "5.00"}, {"12.345", "12.35"},
        {"1,250", "1.00"}, {"-3", "-3.00"}, {"abc", ""}, {"-0.001", ""}, {"0.004", ""}, {"0.005", "0.01"}};
    const std::pair<const char*, std::optional<int>> copies[] = {
        {"1", 1}, {"2.5", 2}, {"3.5", 4}, {"0.5", 0}, {"abc", 0}, {"-1", -1}, {"2 copies", 2},
        {"32767", 32767}, {"32767.4", 32767}, {"32767.5", none}, {"40000", none}, {"-32768", -32768},
        {"-32768.6", none}};
    // clang-format on
    for (const auto& [typed, settled] : amounts) EXPECT_EQ(settledAmountText(typed), settled) << typed;
    for (const auto& [text, count] : copies) EXPECT_EQ(copiesRequested(text), count) << text;
    ReportEntries entries;
    entries.accountAmounts = {"100", "23.45", "", "abc", "-0.0001"};
    EXPECT_EQ(entries.accountsTotal(), Money::fromUnits(1234499));
}

TEST(AccountNames, ReadingStopsAtTheFirstMissingOrDamagedField) {
    const std::tuple<const char*, std::string, AccountNames> cases[] = {
        // clang-format off
        {"empty file", "", {}},
        {"line feeds only", "\"Checking\"\n\"Savings\"\n", {"Checking", "Savings", "", "", ""}},
        {"no final line end", "\"Checking\"\r\n\"Savings\"", {"Checking", "Savings", "", "", ""}},
        {"open at a line end", "\"Checking\"\r\n\"Savings\r\n\"Vault\"\r\n", {"Checking", "", "", "", ""}},
        {"unclosed at the end", "\"Checking\"\r\n\"Savings", {"Checking", "", "", "", ""}},
        {"short fields leave boxes empty", "\"ab\"\r\n\"\"\r\n\"Vault\"\r\n", {"", "", "Vault", "", ""}},
        {"unquoted, trimmed", "  Checking  \r\nSavings,Vault\r\n", {"Checking", "Savings", "Vault", "", ""}},
        {"more than five", "\"a11\"\r\n\"b22\"\r\n\"c33\"\r\n\"d44\"\r\n\"e55\"\r\n\"f66\"\r\n",
         {"a11", "b22", "c33", "d44", "e55"}},
        {"a NUL inside", std::string("\"Ch\0ck\"\r\n", 9), {std::string("Ch\0ck", 5), "", "", "", ""}},
        // clang-format on
    };
    for (const auto& [name, bytes, names] : cases) EXPECT_EQ(parseAccountNames(bytes), names) << name;
}

// Only names longer than two characters are kept; an inner quote is written unchanged and ends
// the name when read. Titles keep every line, even an empty one.
TEST(EntryFiles, SavedAndLoadedOrNot) {
    test::TestFolder folder;
    const std::string path = folder.path("accounts.dat");
    ASSERT_TRUE(saveAccountNames(path, {"Ck", "Savings", "", "Petty Cash", "Say \"hi\" now"}).ok());
    EXPECT_EQ(test::readFile(path), "\"Savings\"\r\n\"Petty Cash\"\r\n\"Say \"hi\" now\"\r\n");
    EXPECT_EQ(loadAccountNames(path), (AccountNames{"Savings", "Petty Cash", "Say ", "", ""}));
    EXPECT_EQ(loadAccountNames(folder.path("none.dat")), AccountNames{});
    test::writeFile(folder.path("big.dat"), "\"Checking\"\r\n" + std::string(100000, 'x'));
    EXPECT_EQ(loadAccountNames(folder.path("big.dat")), AccountNames{});

    // The configuration folder is made on the first save.
    const std::string nested = folder.path("config/quorvel/accounts.dat");
    ASSERT_TRUE(saveAccountNames(nested, {"Checking", "", "", "", ""}).ok());
    EXPECT_EQ(loadAccountNames(nested)[0], "Checking");

    test::writeFile(folder.path("file"), "");
    const Status blocked = saveAccountNames(folder.path("file/accounts.dat"), {"Checking", "", "", "", ""});
    EXPECT_FALSE(blocked.message().empty());

    const std::string titles = folder.path("titles.dat");
    EXPECT_EQ(loadReportTitles(titles), std::nullopt);
    ASSERT_TRUE(saveReportTitles(titles, {"Treasurer's Report", "", "St. Mark, 2026"}).ok());
    EXPECT_EQ(test::readFile(titles), "\"Treasurer's Report\"\r\n\"\"\r\n\"St. Mark, 2026\"\r\n");
    EXPECT_EQ(loadReportTitles(titles), (ReportTitles{"Treasurer's Report", "", "St. Mark, 2026"}));
    test::writeFile(titles, "\"Report\"\n");
    EXPECT_EQ(loadReportTitles(titles), (ReportTitles{"Report", "", ""}));
}

}  // namespace
}  // namespace quorvel
