#include <gtest/gtest.h>

#include "core/reconcile/reconcile_fixture.h"
#include "core/test_folder.h"
#include "statement_reader.h"

namespace quorvel {
namespace {

using statement::CsvColumns;
using statement::readStatement;

// The fixture's statement as a bank writes it, in each format.
const std::string kCsv =
    "Date,Description,Check Number,Amount,Balance\r\n"
    "12/04/2026,DEBIT,,-100.00,666.13\r\n"
    "12/09/2026,DEPOSIT,,500.00,\"1,166.13\"\r\n"
    "12/02/2026,CHECK 4490,4490,-80.00,1086.13\r\n"
    "\r\n"
    "12/31/2026,SERVICE CHARGE,,($12.50),1073.63\r\n"
    "12/31/2026,INTEREST,,1.37,1075.00\r\n"
    "12/10/2026,\"CHECK\n4513\",4513,-50.00,1025.00\r\n"
    "12/21/2026,AUTOPAY,,-25.00,1000.00\r\n";

std::string ofxTransaction(const char* date, const char* amount, const char* cheque, const char* name) {
    return std::string("<STMTTRN>\n<TRNTYPE>OTHER\n<DTPOSTED>") + date + "120000\n<TRNAMT>" + amount +
           "\n<FITID>" + date + amount + "\n" + (*cheque ? std::string("<CHECKNUM>") + cheque + "\n" : "") +
           "<NAME>" + name + "\n</STMTTRN>\n";
}

// clang-format off
std::string ofxStatement(const std::string& transactions, const char* balance = "1000.00") {
    return "OFXHEADER:100\nDATA:OFXSGML\nVERSION:102\nSECURITY:NONE\nENCODING:USASCII\nCHARSET:1252\n"
           "COMPRESSION:NONE\nOLDFILEUID:NONE\nNEWFILEUID:NONE\n\n<OFX>\n<SIGNONMSGSRSV1><SONRS>\n"
           "<STATUS><CODE>0<SEVERITY>INFO</STATUS>\n<DTSERVER>20261231\n<LANGUAGE>ENG\n</SONRS>"
           "</SIGNONMSGSRSV1>\n<BANKMSGSRSV1><STMTTRNRS>\n<TRNUID>1\n<STATUS><CODE>0<SEVERITY>INFO"
           "</STATUS>\n<STMTRS>\n<CURDEF>USD\n<BANKACCTFROM>\n<BANKID>1\n<ACCTID>2\n<ACCTTYPE>CHECKING\n"
           "</BANKACCTFROM>\n<BANKTRANLIST>\n<DTSTART>20261201\n<DTEND>20261231\n" + transactions +
           "</BANKTRANLIST>\n<LEDGERBAL>\n<BALAMT>" + balance + "\n<DTASOF>20261231\n</LEDGERBAL>\n"
           "</STMTRS>\n</STMTTRNRS></BANKMSGSRSV1>\n</OFX>\n";
}

std::string kOfxTransactions() {
    return ofxTransaction("20261204", "-100.00", "", "DEBIT") +
           ofxTransaction("20261209", "500.00", "", "DEPOSIT") +
           ofxTransaction("20261202", "-80.00", "4490", "CHECK 4490") +
           ofxTransaction("20261231", "-12.50", "", "SERVICE CHARGE") +
           ofxTransaction("20261231", "1.37", "", "INTEREST") +
           ofxTransaction("20261210", "-50.00", "4513", "CHECK 4513") +
           ofxTransaction("20261221", "-25.00", "", "AUTOPAY");
}
// clang-format on

CsvColumns map(const char* text) { return statement::parseColumnMapping(text).value(); }

class StatementReader : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& bytes) {
        test::writeFile(folder.path(name), bytes);
        return folder.path(name);
    }
    test::TestFolder folder;
};

TEST_F(StatementReader, BothFormatsGiveTheSameStatement) {
    Statement expected = test::handStatement();
    // CSV lines: the blank line still counts, the quoted description spans two.
    const std::vector<std::pair<std::string, std::vector<int>>> cases = {
        {write("december.csv", kCsv), {2, 3, 4, 6, 7, 8, 10}},
        {write("december.ofx", ofxStatement(kOfxTransactions())), {30, 37, 44, 52, 59, 66, 74}},
    };
    for (const auto& [path, lines] : cases) {
        auto read = readStatement(path);
        ASSERT_TRUE(read) << read.message();
        for (std::size_t i = 0; i < lines.size(); ++i) expected.lines[i].sourceLine = lines[i];
        EXPECT_EQ(read->lines, expected.lines) << path;
        EXPECT_EQ(read->closingBalance, expected.closingBalance) << path;
        EXPECT_EQ(read->closingDate, expected.closingDate) << path;
    }
}

TEST_F(StatementReader, ColumnsAndDateOrderByHeaderOrByMapping) {
    const std::string path = write("bank.csv",
                                   "Posted,Payee,Out,In,Running\n2026-12-03,Rent,\"1,200.00\",,800.00\n"
                                   "2026-12-04,Gift,,50,850.00\n");
    EXPECT_TRUE(test::holds(readStatement(path).message(), "give the columns"));
    const CsvColumns mapping = map("date=1, description=2, debit=3, credit=4, balance=5");
    EXPECT_EQ(statement::composeColumnMapping(mapping), "date=1,description=2,debit=3,credit=4,balance=5");
    EXPECT_EQ(statement::composeColumnMapping(map("date=1,amount=2,dates=dmy")), "date=1,amount=2,dates=dmy");
    auto read = readStatement(path, mapping);
    ASSERT_TRUE(read) << read.message();
    EXPECT_EQ(read->lines[0].amount, Money::cents(-120000));
    EXPECT_EQ(read->lines[1].amount, Money::cents(5000));
    EXPECT_EQ(read->closingBalance, Money::cents(85000));
    // Without a header row the first row is a transaction; a UTF-8 mark does not hide a header.
    const std::string headless =
        write("headless.csv", "2026-12-03,Rent,-5.00,5.00\n2026-12-04,Gift,1.00,6.00\n");
    EXPECT_EQ(readStatement(headless, map("date=1,amount=3,balance=4"))->lines.size(), 2u);
    EXPECT_EQ(statement::csvHeader("\357\273\277Date,Amount\n", "bom.csv")->front(), "Date");
    for (const char* bad : {"date=1", "date=0,amount=2", "when=1,amount=2", "date=1,amount=x", "dates=ymd"})
        EXPECT_FALSE(statement::parseColumnMapping(bad)) << bad;
    EXPECT_EQ(statement::columnsFromHeader({"Date", "Cheque No.", "Debit", "Credit", "Balance"}),
              (CsvColumns{0, -1, 1, -1, 2, 3, 4}));
    // Dates are read in the order the file shows or the mapping tells.
    const std::tuple<std::string, std::string, std::string> dates[] = {
        {"08/12/2026,1.00,1.00\n31/12/2026,1.00,2.00\n", "", "2026-12-08"},
        {"08/12/2026,1.00,1.00\n", "dates=dmy", "2026-12-08"},
        {"08/12/2026,1.00,1.00\n", "dates=mdy", "2026-08-12"},
        {"2026-12-08,1.00,1.00\n", "", "2026-12-08"},
    };
    for (const auto& [rows, order, date] : dates) {
        const std::string file = write("dates.csv", "Date,Amount,Balance\n" + rows);
        auto dated = order.empty() ? readStatement(file) : readStatement(file, map(order.c_str()));
        ASSERT_TRUE(dated) << rows << dated.message();
        EXPECT_EQ(dayText(dated->lines[0].date), date) << rows << order;
    }
}

TEST_F(StatementReader, ClosingBalanceIsTheNewestByTheRunningBalances) {
    // rows, closing balance, the descriptions of the pending rows (newer than the balance)
    const std::vector<std::tuple<std::string, std::int64_t, std::string>> cases = {
        {"12/25/2026,A,1.00,2.00\n12/25/2026,B,1.00,3.00\n", 300, ""},  // oldest first
        {"12/25/2026,B,1.00,3.00\n12/25/2026,A,1.00,2.00\n", 300, ""},  // newest first, one date
        {"12/25/2026,A,1.00,2.00\n12/26/2026,B,1.00,\n12/27/2026,C,1.00,4.00\n", 400, ""},
        {"12/25/2026,A,1.00,2.00\n12/26/2026,B,1.00,3.00\n12/27/2026,P,5.00,Pending\n12/28/2026,Q,1.00,\n",
         300, "PQ"},
        {"12/27/2026,P,5.00,\n12/26/2026,B,1.00,3.00\n12/25/2026,A,1.00,2.00\n", 300, "P"},
    };
    for (const auto& [rows, closing, pending] : cases) {
        auto read = readStatement(write("run.csv", "Date,Description,Amount,Balance\n" + rows));
        ASSERT_TRUE(read) << read.message();
        EXPECT_EQ(read->closingBalance, Money::cents(closing)) << rows;
        std::string described;
        for (const StatementLine& line : read->pending) described += line.description;
        EXPECT_EQ(described, pending) << rows;
        const auto rowCount = static_cast<std::size_t>(std::count(rows.begin(), rows.end(), '\n'));
        EXPECT_EQ(read->lines.size() + read->pending.size(), rowCount);
    }
}

TEST_F(StatementReader, DamagedStatementIsRefusedNamingTheLine) {
    const std::string header = "Date,Description,Check Number,Amount,Balance\n",
                      good = "12/31/2026,A,,1.00,1.00\n";
    const std::string row2 = header + good + "12/02/2026,B,";  // the second row, from its cheque number
    std::string twoAccounts = ofxStatement(kOfxTransactions());
    const std::size_t from = twoAccounts.find("<STMTTRNRS>"), to = twoAccounts.find("</STMTTRNRS>") + 12;
    twoAccounts.insert(to, twoAccounts.substr(from, to - from));
    const auto ofxOne = [](const char* date, const char* amount) {
        return ofxStatement(ofxTransaction(date, amount, "", "X"));
    };
    const std::pair<std::string, std::string> cases[] = {
        {twoAccounts, "bad.ofx holds 2 statements (accounts 2, 2)"},
        {header + good + "12/32/2026,B,,1.00,2.00\n", "line 3 of bad.csv: the date \"12/32/2026\""},
        {row2 + ",+-5.00,2.00\n", "line 3 of bad.csv: the amount \"+-5.00\" is not an amount"},
        {row2 + ",(+5.00),2.00\n", "line 3 of bad.csv: the amount \"(+5.00)\" is not an amount"},
        {row2 + ",12.34567,2.00\n", "line 3 of bad.csv: the amount \"12.34567\" has more than four"},
        {row2 + "ck,1.00,2.00\n", "line 3 of bad.csv: the cheque number"},
        {header + good + "12/02/2026,\"B,,1.00,2.00\n", "of bad.csv: the CSV is damaged"},
        {header + good + "12/02/2026,B\"x\",,1.00,2.00\n", "line 3 of bad.csv: the CSV is damaged"},
        {header + "12/31/2026,B,,1.00,\n",
         "bad.csv has no balance on any row to take the closing balance from"},
        {header + "12/01/2026,B,,1.00,Pending\n" + good,
         "line 2 of bad.csv: the balance \"Pending\" is not an amount"},
        {row2 + ",1.00,5.00\n12/03/2026,C,,1.00,6.00\n",
         "line 3 of bad.csv: the balance 5.00 does not follow from the balance before it and the amount "
         "(2.00 would)"},
        {"Date,Amount\n12/01/2026,1.00\n", "no balance column"},
        {"Date,Amount,Balance\n08/12/2026,1.00,1.00\n",
         "line 2 of bad.csv: the date \"08/12/2026\" could be month/day"},
        {"Date,Amount,Balance\n13/12/2026,1.00,1.00\n12/13/2026,1.00,2.00\n",
         "line 3 of bad.csv: the date \"12/13/2026\" is not a date in day/month/year, the order line 2's "
         "date shows"},
        {"Date,Amount,Balance\n", "no transactions"},
        {ofxOne("20261204", "-1O0.00"), "line 33 of bad.ofx: the amount \"-1O0.00\""},
        {ofxOne("2026", "-100.00"), "line 32 of bad.ofx: the transaction has no date"},
        {ofxStatement(kOfxTransactions(), "lots"), "line 83 of bad.ofx: the ledger balance"},
        {ofxStatement("<STMTTRN>\n<TRNTYPE>OTHER\n</STMTTRN>\n"),
         "line 30 of bad.ofx: the transaction has no amount"},
        {"OFXHEADER:100\n<OFX>\n", "is not a readable OFX"},
    };
    for (const auto& [bytes, says] : cases) {
        auto read = readStatement(write(bytes.starts_with("OFX") ? "bad.ofx" : "bad.csv", bytes));
        ASSERT_FALSE(read) << bytes;
        EXPECT_TRUE(test::holds(read.message(), says));
    }
}

}  // namespace
}  // namespace quorvel
