#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "core/test_folder.h"
#include "ledger/audit_trail.h"

namespace quorvel {
namespace {

using test::readFile;
using test::writeFile;

class AuditTrail : public ::testing::Test {
protected:
    test::TestFolder folder;
    const std::string path = folder.path("DEC2026.aud");
    const AuditEntry edit{"t", "u", "Edit action", "", {}};
};

TEST_F(AuditTrail, EveryFieldReadsBackExactlyFromOneUtf8LineAndDamagedLinesAreRefused) {
    std::string everyByte;
    for (int byte = 0; byte < 256; ++byte) everyByte.push_back(static_cast<char>(byte));
    // clang-format off
    const AuditEntry entries[] = {
        {"2026-12-06 14:03:27 +0100", "anna", "Rename source", "",
         {{"source 11111", "Caf\xE9\tA\\B", "\x80 \x81"}}},
        {"t", "user\twith tab", "Edit action", "line one\nline two\r\n",
         {{"action 1", "BX   101        45.00 ck \"2\"    ", everyByte}, {"b", "", "\\x41\\t"}}},
        {"", "", "", "", {}},
    };
    // clang-format on
    // Another writer may escape in lower case.
    EXPECT_EQ(parseAuditLine("t\tu\tc\tn\\x0a\\x7f").value_or(AuditEntry{}).note, "n\n\x7F");
    for (const AuditEntry& entry : entries) {
        const std::string line = composeAuditLine(entry);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
        EXPECT_EQ(parseAuditLine(line), entry) << line;
    }
    // Written as UTF-8 (é, €), with the bytes that have no character escaped.
    EXPECT_EQ(composeAuditLine(entries[0]),
              "2026-12-06 14:03:27 +0100\tanna\tRename source\t\tsource "
              "11111\tCaf\xC3\xA9\\tA\\\\B\t\xE2\x82\xAC \\x81");

    ASSERT_TRUE(appendAuditEntry(path, entries[0]).ok());
    EXPECT_EQ(readFile(path), "Quorvel audit trail 1\n" + composeAuditLine(entries[0]) + "\n");

    // Damaged lines are refused.
    for (const char* line : {"a\tb\tc", "a\tb\tc\td\te", "a\\q\tb\tc\td", "a\\x4\tb\tc\td", "a\\\tb\tc\td",
                             "\x01\tb\tc\td", "\xC3\tb\tc\td", "\xE2\x98\x83\tb\tc\td", "\xC1\xA9\tb\tc\td"})
        EXPECT_EQ(parseAuditLine(line), std::nullopt) << line;
}

TEST_F(AuditTrail, ReadsWhatItCanSaysWhatItCouldNotAndAgreesWithAppendOnWhatIsNoTrail) {
    const std::string good = "t\tu\tCancel action\t";
    // Bytes, entries read and what the message says (nothing for a whole trail).
    const std::tuple<std::string, std::size_t, const char*> cases[] = {
        {"Quorvel audit trail 1\n" + good + "\n" + good + "\r\n", 2, ""},
        {"", 0, ""},
        {"Quorvel audit trail 1\n" + good + "\nnot an entry\n" + good + "\n\\q\n" + good.substr(0, 5), 2,
         "line 3 is not an audit entry (nor is 1 more line). The 2 entries"},
        {"Quorvel audit trail 1\nx\n" + good + "\ny\nz\n", 1,
         "line 2 is not an audit entry (nor are 2 more lines). The 1 entries"},
        {"Quorvel audit trail 2\n" + good + "\n", 0, "its first line is not"},
        {"Quorvel audit trail 1\n" + good + "\n" + good.substr(0, 5), 1, ""},  // torn: never made
    };
    for (const auto& [bytes, entries, says] : cases) {
        writeFile(path, bytes);
        const AuditTrailRead read = readAuditTrail(path);
        EXPECT_TRUE(read.exists);
        EXPECT_EQ(read.entries.size(), entries) << bytes;
        EXPECT_TRUE(test::holds(read.message, says));
        EXPECT_EQ(read.message.empty(), *says == '\0') << read.message;
    }
    // The next entry takes the place of a torn last line.
    writeFile(path, std::get<0>(std::end(cases)[-1]));
    ASSERT_TRUE(appendAuditEntry(path, edit).ok());
    EXPECT_EQ(readFile(path), "Quorvel audit trail 1\n" + good + "\nt\tu\tEdit action\t\n");

    const AuditTrailRead missing = readAuditTrail(folder.path("NOV2026.aud"));
    EXPECT_FALSE(missing.exists);
    EXPECT_TRUE(test::holds(missing.message, "NOV2026.aud does not exist"));

    // Whatever is at the trail's name and is not the month's own trail is neither written to nor trusted.
    const std::string trail = folder.path("OTHER.aud");
    writeFile(trail, "Quorvel audit trail 1\nt\tu\tCancel action\t\n");
    const std::tuple<std::function<void()>, const char*, const char*> others[] = {
        {[&] { writeFile(path, "my own notes\n"); }, "is not an audit trail", "its first line is not"},
        {[&] { std::filesystem::create_hard_link(trail, path); }, "a hard link", "a hard link"},
        {[&] { std::filesystem::create_symlink(trail, path); }, "", "is a link"},
    };
    for (const auto& [make, appendSays, readSays] : others) {
        std::filesystem::remove(path);
        make();
        const std::string before = readFile(trail) + readFile(path);
        const Status appended = appendAuditEntry(path, edit);
        EXPECT_FALSE(appended.ok());
        EXPECT_TRUE(test::holds(appended.message(), appendSays));
        EXPECT_EQ(readFile(trail) + readFile(path), before);
        EXPECT_TRUE(test::holds(readAuditTrail(path).message, readSays));
    }
}

}  // namespace
}  // namespace quorvel
