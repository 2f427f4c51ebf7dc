// accounts.dat and titles.dat: what is kept and what a damaged file still gives (the fuzz
// target feeds the reader any bytes).
#include <gtest/gtest.h>

#include <filesystem>

#include "core/test_folder.h"
#include "report/account_names.h"

namespace quorvel {
namespace {

TEST(AccountNames, KeepsOnlyNamesLongerThanTwoCharacters) {
    test::TestFolder folder;
    const std::string path = folder.path("accounts.dat");
    ASSERT_TRUE(saveAccountNames(path, {"Ck", "Savings", "", "Petty Cash", ""}).ok());
    EXPECT_EQ(test::readFile(path), "\"Savings\"\r\n\"Petty Cash\"\r\n");
    EXPECT_EQ(loadAccountNames(path), (AccountNames{"Savings", "Petty Cash", "", "", ""}));
}

TEST(AccountNames, ReadingStopsAtTheFirstMissingOrDamagedField) {
    const struct {
        const char* name;
        std::string bytes;
        AccountNames names;
    } cases[] = {
        {"empty file", "", {}},
        {"two lines", "\"Checking\"\r\n\"Savings\"\r\n", {"Checking", "Savings", "", "", ""}},
        {"line feeds only", "\"Checking\"\n\"Savings\"\n", {"Checking", "Savings", "", "", ""}},
        {"no final line end", "\"Checking\"\r\n\"Savings\"", {"Checking", "Savings", "", "", ""}},
        {"quote open at the line end",
         "\"Checking\"\r\n\"Savings\r\n\"Vault\"\r\n",
         {"Checking", "", "", "", ""}},
        {"unclosed at the end", "\"Checking\"\r\n\"Savings", {"Checking", "", "", "", ""}},
        {"short fields leave boxes empty", "\"ab\"\r\n\"\"\r\n\"Vault\"\r\n", {"", "", "Vault", "", ""}},
        {"unquoted, trimmed", "  Checking  \r\nSavings,Vault\r\n", {"Checking", "Savings", "Vault", "", ""}},
        {"an inner quote ends the field",
         "\"Say \"hi\" now\"\r\n\"Savings\"\r\n",
         {"Say ", "Savings", "", "", ""}},
        {"more than five",
         "\"a11\"\r\n\"b22\"\r\n\"c33\"\r\n\"d44\"\r\n\"e55\"\r\n\"f66\"\r\n",
         {"a11", "b22", "c33", "d44", "e55"}},
        {"a NUL inside", std::string("\"Ch\0ck\"\r\n", 9), {std::string("Ch\0ck", 5), "", "", "", ""}},
    };
    for (const auto& c : cases) EXPECT_EQ(parseAccountNames(c.bytes), c.names) << c.name;
}

TEST(AccountNames, AnInnerQuoteIsWrittenUnchanged) {
    EXPECT_EQ(composeAccountNames({"Say \"hi\" now", "", "", "", ""}), "\"Say \"hi\" now\"\r\n");
}

TEST(AccountNames, MissingOrUnwritableFiles) {
    test::TestFolder folder;
    EXPECT_EQ(loadAccountNames(folder.path("none.dat")), AccountNames{});
    test::writeFile(folder.path("big.dat"), "\"Checking\"\r\n" + std::string(100000, 'x'));
    EXPECT_EQ(loadAccountNames(folder.path("big.dat")), AccountNames{});

    // The configuration folder is made on the first save.
    const std::string nested = folder.path("config/quorvel/accounts.dat");
    ASSERT_TRUE(saveAccountNames(nested, {"Checking", "", "", "", ""}).ok());
    EXPECT_EQ(loadAccountNames(nested)[0], "Checking");

    test::writeFile(folder.path("file"), "");
    const Status blocked = saveAccountNames(folder.path("file/accounts.dat"), {"Checking", "", "", "", ""});
    EXPECT_FALSE(blocked.ok());
    EXPECT_FALSE(blocked.message().empty());
}

TEST(ReportTitles, KeepsEveryLineEvenEmptyAndReadsShortFiles) {
    test::TestFolder folder;
    const std::string path = folder.path("titles.dat");
    EXPECT_EQ(loadReportTitles(path), std::nullopt);
    ASSERT_TRUE(saveReportTitles(path, {"Treasurer's Report", "", "St. Mark, 2026"}).ok());
    EXPECT_EQ(test::readFile(path), "\"Treasurer's Report\"\r\n\"\"\r\n\"St. Mark, 2026\"\r\n");
    EXPECT_EQ(loadReportTitles(path), (ReportTitles{"Treasurer's Report", "", "St. Mark, 2026"}));
    test::writeFile(path, "\"Report\"\n");
    EXPECT_EQ(loadReportTitles(path), (ReportTitles{"Report", "", ""}));
}

}  // namespace
}  // namespace quorvel
