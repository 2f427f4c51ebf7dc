// Writes the demo month DEC2026.rep and its journal into a folder, through the core's own
// routines, so the demo stays a valid month as the code changes. The output is committed;
// a test regenerates it and compares the bytes.
#include <cstdio>
#include <filesystem>
#include <string>

#include "actions/recording.h"
#include "ledger/journal.h"
#include "ledger/ledger_routines.h"
#include "ledger/month_file.h"

using namespace quorvel;

namespace {

struct BudgetLine {
    const char* number;
    const char* name;
    long long budgetCents;
    long long spentThroughNovemberCents;
};

constexpr BudgetLine kBudget[] = {
    {"100", "Pulpit Supply", 180000, 150000},
    {"110", "Music Director", 720000, 660000},
    {"120", "Organist", 540000, 495000},
    {"130", "Choir Music", 60000, 41275},
    {"140", "Altar Flowers", 45000, 38950},
    {"150", "Communion Supplies", 30000, 24612},
    {"200", "Pastor Salary", 4800000, 4400000},
    {"210", "Pastor Housing", 1800000, 1650000},
    {"220", "Pension and Benefits", 1260000, 1155000},
    {"230", "Church Secretary", 1560000, 1430000},
    {"240", "Custodian", 960000, 880000},
    {"250", "Payroll Taxes", 480000, 437520},
    {"300", "Electricity", 420000, 371433},
    {"310", "Gas Heat", 540000, 398817},
    {"320", "Water and Sewer", 96000, 87211},
    {"330", "Building Insurance", 380000, 380000},
    {"340", "Repairs, Maintenance", 500000, 468890},
    {"350", "Lawn and Snow", 240000, 205000},
    {"400", "Christian Education", 150000, 112345},
    {"410", "Youth Ministry", 200000, 176050},
    {"420", "Office Supplies", 90000, 81422},
    {"430", "Telephone and Internet", 144000, 132000},
    {"440", "Postage", 36000, 29870},
    {"450", "Denominational Giving", 600000, 550000},
    {"460", "Local Missions", 300000, 240000},
};

struct Fund {
    const char* name;
    long long balanceCents;
};

constexpr Fund kFunds[] = {
    {"Memorial Fund", 845000},       {"Organ Repair Fund", 1237550}, {"Youth Mission Trip", 214075},
    {"Food Pantry", 61240},          {"Building Fund", 2530000},     {"Scholarship Fund", 300000},
    {"Flower Fund", 18500},          {"Benevolence Fund", 97325},
};

class DemoMonth {
public:
    explicit DemoMonth(const std::string& path) : random_(seededRandom(2026)) { ledger_.CurrentFile = path; }

    void setUp() {
        ClearLedger(ledger_);
        int row = 1;
        for (const BudgetLine& line : kBudget) {
            ledger_.BudgetAcctNumber[row] = line.number;
            ledger_.BudgetAcctName[row] = line.name;
            ledger_.BudgetAmount[row][kBudgeted] = Money::cents(line.budgetCents);
            ledger_.BudgetAmount[row][kSpentInYear] = Money::cents(line.spentThroughNovemberCents);
            ++row;
        }
        SortBudgetAccounts(ledger_);
        row = 1;
        for (const Fund& fund : kFunds) {
            ledger_.DesigAcctNumber[row] = NewAccountId(ledger_, random_);
            ledger_.DesigAcctName[row] = fund.name;
            ledger_.DesigAmount[row][kAtFirstOfMonth] = Money::cents(fund.balanceCents);
            ledger_.DesigAmount[row][kFundRemaining] = Money::cents(fund.balanceCents);
            ++row;
        }
        const char* sections[][2] = {{"100", "Worship and Music"},
                                     {"200", "Personnel"},
                                     {"300", "Property"},
                                     {"400", "Program and Office"}};
        for (int j = 0; j < 4; ++j) {
            ledger_.SectionStart[j + 1] = sections[j][0];
            ledger_.SectionTitle[j + 1] = sections[j][1];
        }
        ledger_.Summary[kBeginningBalance] = Money::cents(6841255);
        RecomputeTotals(ledger_);
        saveAndReload();
    }

    void addSource(const char* name) { check(createSource(ledger_, journal_, name, random_).status()); }

    // Each action goes through the same operation the program's windows use; the main
    // window's summary then recomputes the totals.
    void spend(const char* budgetNumber, long long cents, const char* reference) {
        recorded(recordBudgetExpenditure(ledger_, journal_, budgetRow(budgetNumber), box(cents), reference));
    }
    void spendFund(const char* fund, long long cents, const char* reference) {
        recorded(recordDesignatedExpenditure(ledger_, journal_, fundRow(fund), box(cents), reference));
    }
    void deposit(long long cents, const char* reference) {
        recorded(recordDeposit(ledger_, journal_, box(cents), reference));
    }
    void designate(const char* fund, long long cents, const char* reference) {
        recorded(recordDesignation(ledger_, journal_, fundRow(fund), box(cents), reference));
    }
    void noteSource(const char* source, long long cents, const char* reference) {
        int k = 1;
        while (ledger_.SourceName[k] != source) ++k;
        recorded(recordSourceNote(ledger_, journal_, k, box(cents), reference));
    }
    void transfer(const char* budgetNumber, const char* fund, long long cents, const char* reference) {
        recorded(recordTransfer(ledger_, journal_, budgetRow(budgetNumber), fundRow(fund), box(cents), reference));
    }
    void createFundByTransfer(const char* name) {
        check(createFund(ledger_, journal_, name, random_, /*announceInJournal=*/true).status());
    }
    // Written against the wrong account and cancelled, as the action editor does.
    void cancelLast() {
        check(journal_.write(journal_.recordCount(), cancelledRecord(CancelReason::Canceled)));
        saveAndReload();
    }
    void finish() { saveAndReload(); }

private:
    // The amount as the amount box shows it once it has lost the focus.
    static std::string box(long long cents) { return Money::cents(cents).format00(); }

    int budgetRow(const char* number) const { return rowOf(ledger_.BudgetAcctNumber, number); }
    int fundRow(const char* name) const { return rowOf(ledger_.DesigAcctName, name); }
    template <typename Table>
    static int rowOf(const Table& table, const char* key) {
        for (int i = 1; i <= kLastWorkingRow; ++i) {
            if (table[i] == key) return i;
        }
        std::fprintf(stderr, "demo: no row %s\n", key);
        std::exit(1);
    }
    void saveAndReload() {
        check(SaveMonthFile(ledger_));
        const std::string path = ledger_.CurrentFile;
        check(LoadMonthFile(ledger_, journal_, path));
    }
    void recorded(const Status& status) {
        check(status);
        RecomputeTotals(ledger_);
    }
    static void check(const Status& status) {
        if (!status) {
            std::fprintf(stderr, "demo: %s\n", status.message().c_str());
            std::exit(1);
        }
    }

    Ledger ledger_;
    Journal journal_;
    RandomBelow random_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorvel-demo-gen FOLDER\n");
        return 1;
    }
    namespace fs = std::filesystem;
    const fs::path folder(argv[1]);
    fs::create_directories(folder);
    const std::string month = (folder / "DEC2026.rep").string();
    fs::remove(month);
    fs::remove((folder / "DEC2026.jrn").string());

    DemoMonth demo(month);
    demo.setUp();
    demo.addSource("Rummage Sale");
    demo.addSource("Building Rental");
    demo.addSource("Savings Interest");

    demo.deposit(482650, "12/01/26");
    demo.designate("Memorial Fund", 25000, "12/01/26");
    demo.designate("Food Pantry", 8500, "12/01/26");
    demo.noteSource("Rummage Sale", 61275, "12/01/26");
    demo.spend("200", 400000, "ck 4511");
    demo.spend("210", 150000, "ck 4512");
    demo.spend("220", 105000, "ck 4513");
    demo.spend("230", 130000, "ck 4514");
    demo.spend("300", 38744, "ck 4515");
    demo.spend("310", 61290, "ck 4516");
    demo.spendFund("Organ Repair Fund", 85000, "ck 4517");
    demo.spend("140", 4500, "ck 4518");
    demo.spend("420", 2389, "ck 4519");
    demo.cancelLast();  // written against the wrong account
    demo.spend("440", 2389, "ck 4519");
    demo.deposit(551020, "12/08/26");
    demo.designate("Youth Mission Trip", 32000, "12/08/26");
    demo.designate("Flower Fund", 6000, "12/08/26");
    demo.noteSource("Building Rental", 45000, "12/08/26");
    demo.spend("110", 60000, "ck 4520");
    demo.spend("120", 45000, "ck 4521");
    demo.spend("240", 80000, "ck 4522");
    demo.spend("250", 43760, "ck 4523");
    demo.spendFund("Benevolence Fund", 20000, "ck 4524");
    demo.transfer("460", "Food Pantry", 30000, "12/10/26");
    demo.createFundByTransfer("Christmas Baskets");
    demo.transfer("460", "Christmas Baskets", 25000, "12/10/26");
    demo.deposit(398575, "12/15/26");
    demo.designate("Christmas Baskets", 17500, "12/15/26");
    demo.designate("Building Fund", 50000, "12/15/26");
    demo.noteSource("Savings Interest", 1837, "12/15/26");
    demo.spend("320", 8102, "ck 4525");
    demo.spend("430", 12000, "ck 4526");
    demo.spend("450", 50000, "ck 4527");
    demo.spend("100", 15000, "ck 4528");
    demo.spendFund("Food Pantry", 27450, "ck 4529");
    demo.spendFund("Christmas Baskets", 31280, "ck 4530");
    demo.spend("150", 3875, "ck 4531");
    demo.deposit(26500, "12/20/26");
    demo.finish();
    std::printf("%s\n", month.c_str());
    return 0;
}
