// The month's exports. The CSV tables are read back with a real CSV parser (libcsv, strict) and
// compared with the action list, the tables and the month summary, for the demo month and a
// month of awkward names: commas, quotes, line breaks and Windows-1252 characters. The ledger
// journal's figures are checked by the ledger program in the command-line test; here its text.
#include <csv.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "core/sample_month.h"
#include "core/test_folder.h"
#include "export/csv_export.h"
#include "export/export_fields.h"
#include "export/ledger_export.h"
#include "ledger/action_record.h"
#include "ledger/code_page.h"
#include "ledger/ledger_routines.h"
#include "ledger/replay.h"
#include "ledger/text_fields.h"
#include "review/action_list.h"

namespace quorvel {
namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows parseCsv(const std::string& text) {
    csv_parser parser;
    EXPECT_EQ(csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI), 0);
    csv_set_space_func(&parser, [](unsigned char) { return 0; });  // keep every blank
    Rows rows(1);
    auto field = [](void* bytes, std::size_t size, void* data) {
        static_cast<Rows*>(data)->back().emplace_back(static_cast<char*>(bytes), size);
    };
    auto rowEnd = [](int, void* data) { static_cast<Rows*>(data)->emplace_back(); };
    EXPECT_EQ(csv_parse(&parser, text.data(), text.size(), field, rowEnd, &rows), text.size())
        << csv_strerror(csv_error(&parser));
    EXPECT_EQ(csv_fini(&parser, field, rowEnd, &rows), 0);
    csv_free(&parser);
    rows.pop_back();
    return rows;
}

using Month = test::LoadedMonth;

Month awkwardMonth() {
    Month m{test::sampleLedger(), {}};
    Ledger& l = m.ledger;
    l.BudgetAcctName[2] = "Utilities \"Gas\"\r\nand Water";
    l.BudgetAcctName[3] = "Caf\xE9 \x80uro";
    l.DesigAcctName[1] = "Memorial; Fund: A";
    l.SourceName[1] = "Bake \"Sale\"";
    l.SectionTitle[2] = "Other, misc";
    // clang-format off
    m.records = {
        test::bx("101", Money::cents(4000), "ck \"7\",a"), test::keyed("DP", "", Money::cents(50000)),
        test::keyed("DD", "01234", Money::cents(2500)), test::keyed("SX", "11111", Money::fromUnits(123456)),
        test::to("102", Money::cents(1000)), test::keyed("TI", "20000", Money::cents(1000)),
        composeFundCreated("30000"), cancelledRecord(CancelReason::Deleted),
        test::bx("999", Money::cents(500)), test::keyed("DX", "20000", Money::cents(50))};
    // clang-format on
    replayJournal(l, m.records);
    RecomputeTotals(l);
    return m;
}

// Amounts in full, and fields quoted with names that look like formulas kept as text.
TEST(ExportFields, PlainAmountsAndCsvFields) {
    // clang-format off
    const std::pair<std::int64_t, const char*> amounts[] = {
        {0, "0.00"}, {12345600, "1234.56"}, {-5000, "-0.50"}, {123456, "12.3456"}, {123450, "12.345"},
        {-1, "-0.0001"}, {10000, "1.00"}, {Money::kFileLimitUnits, "1000000000000.00"}};
    const std::pair<const char*, const char*> fields[] = {
        {"plain", "plain"}, {"a,b", "\"a,b\""}, {"say \"hi\"", "\"say \"\"hi\"\"\""}, {"-0.50", "-0.50"},
        {"=SUM(A1)", "'=SUM(A1)"}, {"+1", "'+1"}, {"-x", "'-x"}, {"@cmd", "'@cmd"}, {"\tTab", "'\tTab"},
        {"=a,b", "\"'=a,b\""}, {"-1.", "'-1."}, {"Caf\xE9", "Caf\u00e9"}};
    // clang-format on
    for (const auto& [units, text] : amounts) EXPECT_EQ(plainAmount(Money::fromUnits(units)), text) << units;
    for (const auto& [field, text] : fields) EXPECT_EQ(csvField(field), text) << field;
}

// The awkward month reads back as its tables. For it and the demo month each action row says what
// the action list's line says, and the tables' columns add up to the month summary's figures.
TEST(CsvExport, TablesReadBackAndAgreeWithTheActionListAndSummary) {
    const Month odd = awkwardMonth();
    const std::string actions = csvTable(odd.ledger, odd.records, CsvTable::Actions);
    EXPECT_TRUE(actions.starts_with("Number,Kind,Account,Name,Amount,Reference,Cancelled\r\n1,"));
    EXPECT_TRUE(actions.ends_with(",0.50,,no\r\n"));
    const std::pair<CsvTable, Rows> cases[] = {
        {CsvTable::Actions,
         {{"Number", "Kind", "Account", "Name", "Amount", "Reference", "Cancelled"},
          {"1", "Budget Expenditure", "101", "Pastor, Salary", "40.00", "ck \"7\",a", "no"},
          {"2", "Deposit", "", "", "500.00", "", "no"},
          {"3", "Designation", "01234", "Memorial; Fund: A", "25.00", "", "no"},
          {"4", "Note Deposit Source", "11111", "Bake \"Sale\"", "12.3456", "", "no"},
          {"5", "Transfer Out", "102", "Utilities \"Gas\"\r\nand Water", "10.00", "", "no"},
          {"6", "Transfer In", "20000", "Organ, Repair", "10.00", "", "no"},
          {"8", "", "", "", "", "", "yes"},
          {"9", "Budget Expenditure", "999", "", "5.00", "", "no"},
          {"10", "Designated Expenditure", "20000", "Organ, Repair", "0.50", "", "no"}}},
        {CsvTable::Budget,
         {{"Number", "Name", "Section", "Annual Budget", "Spent in Year", "Spent in Month", "Remaining"},
          {"101", "Pastor, Salary", "Operations", "1200.00", "340.50", "40.00", "859.50"},
          {"102", "Utilities \"Gas\"\r\nand Water", "Operations", "600.00", "10.00", "10.00", "590.00"},
          {"7", "Caf\u00e9 \u20acuro", "Other, misc", "100.00", "25.25", "0.00", "74.75"}}},
        {CsvTable::Funds,
         {{"Number", "Name", "At First of Month", "Received in Month", "Spent in Month", "Remaining"},
          {"01234", "Memorial; Fund: A", "500.00", "25.00", "0.00", "525.00"},
          {"20000", "Organ, Repair", "0.50", "10.00", "0.50", "10.00"}}},
        {CsvTable::Sources, {{"Id", "Name", "Amount in Month"}, {"11111", "Bake \"Sale\"", "12.3456"}}},
    };
    for (const auto& [table, rows] : cases)
        EXPECT_EQ(parseCsv(csvTable(odd.ledger, odd.records, table)), rows);

    test::TestFolder folder;
    std::filesystem::copy(QUORVEL_DEMO_DIR, folder.path("demo"));
    for (const Month& m : {odd, test::loadMonth(folder.path("demo/DEC2026.rep"))}) {
        const ActionList list = actionListLines(m.ledger, m.records);
        const Rows rows = parseCsv(csvTable(m.ledger, m.records, CsvTable::Actions));
        ASSERT_EQ(rows.size(), list.lines.size());
        for (std::size_t i = 1; i < rows.size(); ++i) {
            const std::vector<std::string>& row = rows[i];
            const std::string& line = list.lines[i];
            EXPECT_EQ(row[0], std::to_string(list.recordNumbers[i]));
            EXPECT_EQ(row[6], line.find("cancelled") != std::string::npos ? "yes" : "no");
            if (row[6] == "yes") continue;
            EXPECT_TRUE(line.starts_with(row[1])) << line;
            const std::string name = cp1252ToUtf8(trimBlanks(slice(line, 30, 25)));
            EXPECT_EQ(row[3].substr(0, name.size()), name) << line;
            EXPECT_EQ(Money::parseExact(row[4])->format00(), trimBlanks(slice(line, 57, 12))) << line;
            EXPECT_EQ(row[5], trimBlanks(slice(line, 77, 10))) << line;
        }
        auto columnSum = [&m](CsvTable table, std::size_t column) {
            Money sum;
            const Rows rows = parseCsv(csvTable(m.ledger, m.records, table));
            for (std::size_t i = 1; i < rows.size(); ++i) sum += *Money::parseExact(rows[i][column]);
            return sum;
        };
        const auto& s = m.ledger.Summary;
        EXPECT_EQ(columnSum(CsvTable::Budget, 5), s[kBudgetExpenditures]);
        EXPECT_EQ(columnSum(CsvTable::Funds, 2), s[kDesignatedAtFirst]);
        EXPECT_EQ(columnSum(CsvTable::Funds, 4), s[kDesignatedExpenditures]);
        EXPECT_EQ(columnSum(CsvTable::Funds, 5), s[kDesignatedFundTotals]);
        EXPECT_EQ(columnSum(CsvTable::Sources, 2), m.ledger.SourceAmount[0]);
    }
}

// A reference stands on its transaction's line as a comment, as typed.
TEST(LedgerJournal, AReferenceStandsOnItsTransactionsLine) {
    // The third holds control characters, which would break the line.
    const std::pair<const char*, std::string> cases[] = {{"Plate", "  ; Plate"},
                                                         {"Caf\xE9 sale", "  ; Caf\xC3\xA9 sale"},
                                                         {"Pl\tate\x7Fx", "  ; Pl ate x"},
                                                         {"", ""}};
    for (const auto& [reference, comment] : cases) {
        const ActionRecord deposit = composeKeyedRecord("DP", "     ", "12.50", reference);
        const std::string journal = ledgerJournal(test::sampleLedger(), {deposit}, {2026, 12});
        const std::string head = "2026-12-01 * (1) " + std::string(actionKind("DP")) + comment + "\n";
        EXPECT_NE(journal.find(head), std::string::npos) << reference << "\n" << journal;
    }
}

}  // namespace
}  // namespace quorvel
