#include "full_month.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "ledger/journal.h"
#include "ledger/ledger.h"
#include "ledger/ledger_routines.h"
#include "ledger/month_file.h"

namespace quorvel::bench {
namespace {

struct BudgetLine {
    const char* number;
    const char* name;
    long long budgetCents;
};

// Ten accounts per report section; each section starts at its first account.
constexpr BudgetLine kBudget[] = {
    {"100", "Pulpit Supply", 240000},
    {"105", "Guest Preachers", 90000},
    {"110", "Worship Supplies", 60000},
    {"115", "Communion Supplies", 30000},
    {"120", "Altar Flowers", 45000},
    {"125", "Candles and Paraments", 35000},
    {"130", "Bulletins", 52000},
    {"135", "Special Services", 40000},
    {"140", "Worship Committee", 15000},
    {"145", "Seasonal Decorations", 25000},
    {"150", "Music Director", 720000},
    {"155", "Organist", 540000},
    {"160", "Choir Music", 60000},
    {"165", "Handbell Choir", 20000},
    {"170", "Piano Tuning", 48000},
    {"175", "Organ Maintenance", 150000},
    {"180", "Guest Musicians", 80000},
    {"185", "Music Library", 12000},
    {"190", "Children's Choir", 18000},
    {"195", "Sound System", 35000},
    {"200", "Pastor Salary", 4800000},
    {"205", "Pastor Housing", 1800000},
    {"210", "Pastor Pension", 720000},
    {"215", "Pastor Health Insurance", 1440000},
    {"220", "Pastor Continuing Ed", 100000},
    {"225", "Pastor Car Allowance", 300000},
    {"230", "Pastor Book Allowance", 50000},
    {"235", "Associate Pastor", 3600000},
    {"240", "Pulpit Vacation Supply", 80000},
    {"245", "Pastoral Care", 30000},
    {"250", "Church Secretary", 1560000},
    {"255", "Custodian", 960000},
    {"260", "Bookkeeper", 480000},
    {"265", "Nursery Attendant", 260000},
    {"270", "Youth Director", 1200000},
    {"275", "Staff Health Insurance", 960000},
    {"280", "Payroll Taxes", 480000},
    {"285", "Workers Compensation", 120000},
    {"290", "Staff Training", 40000},
    {"295", "Payroll Service", 60000},
    {"300", "Building Insurance", 380000},
    {"305", "Repairs, Maintenance", 500000},
    {"310", "Lawn and Snow", 240000},
    {"315", "Janitorial Supplies", 90000},
    {"320", "Elevator Service", 180000},
    {"325", "Fire Alarm Monitoring", 60000},
    {"330", "Pest Control", 36000},
    {"335", "Parking Lot", 150000},
    {"340", "Roof Repair", 200000},
    {"345", "Furnace Service", 120000},
    {"350", "Electricity", 420000},
    {"355", "Gas Heat", 540000},
    {"360", "Water and Sewer", 96000},
    {"365", "Trash Removal", 72000},
    {"370", "Telephone", 84000},
    {"375", "Internet Service", 60000},
    {"380", "Parsonage Utilities", 300000},
    {"385", "Parsonage Repairs", 250000},
    {"390", "Security System", 48000},
    {"395", "Property Taxes and Fees", 30000},
    {"400", "Christian Education", 150000},
    {"405", "Sunday School Curriculum", 120000},
    {"410", "Vacation Bible School", 180000},
    {"415", "Adult Education", 50000},
    {"420", "Youth Ministry", 200000},
    {"425", "Youth Retreats", 150000},
    {"430", "Confirmation Class", 40000},
    {"435", "Library Books", 20000},
    {"440", "Nursery Supplies", 25000},
    {"445", "Teacher Training", 30000},
    {"500", "Office Supplies", 90000},
    {"505", "Postage", 36000},
    {"510", "Copier Lease", 240000},
    {"515", "Printing", 80000},
    {"520", "Newsletter", 60000},
    {"525", "Computer and Software", 150000},
    {"530", "Website", 36000},
    {"535", "Bank Charges", 12000},
    {"540", "Audit Fees", 150000},
    {"545", "Advertising", 40000},
    {"600", "Denominational Giving", 600000},
    {"605", "Local Missions", 300000},
    {"610", "Food Bank Support", 120000},
    {"615", "Homeless Shelter", 100000},
    {"620", "Disaster Relief", 80000},
    {"625", "Mission Partners", 240000},
    {"630", "Prison Ministry", 30000},
    {"635", "Seminary Support", 60000},
    {"640", "Camp Scholarships", 90000},
    {"645", "Refugee Sponsorship", 150000},
    {"700", "Fellowship Dinners", 60000},
    {"705", "Coffee Hour", 24000},
    {"710", "Hospitality", 30000},
    {"715", "Visitation", 20000},
    {"720", "Stewardship Campaign", 45000},
    {"725", "Evangelism", 50000},
    {"730", "Men's Fellowship", 15000},
    {"735", "Women's Fellowship", 15000},
    {"740", "Senior Ministry", 40000},
    {"745", "Contingency", 250000},
};
static_assert(std::size(kBudget) == kLastWorkingRow);

constexpr const char* kSectionTitles[kSections] = {
    "Worship",   "Music",     "Pastoral Staff", "Support Staff", "Property",
    "Utilities", "Education", "Office",         "Missions",      "Fellowship and Outreach",
};

// The last fund is created during the month by a transfer (the journal's DN/D2 pair).
constexpr const char* kFunds[] = {
    "Memorial Fund",
    "Organ Repair Fund",
    "Youth Mission Trip",
    "Food Pantry",
    "Building Fund",
    "Scholarship Fund",
    "Flower Fund",
    "Benevolence Fund",
    "Christmas Baskets",
    "Easter Lilies",
    "Choir Robes",
    "Handbell Fund",
    "Piano Fund",
    "Stained Glass Repair",
    "Roof Replacement",
    "Parking Lot Fund",
    "Elevator Fund",
    "Kitchen Renovation",
    "Carpet Replacement",
    "Steeple Repair",
    "Bell Tower Fund",
    "Cemetery Upkeep",
    "Landscaping Fund",
    "Playground Fund",
    "Nursery Renovation",
    "Library Fund",
    "Audio Visual Fund",
    "Hymnal Fund",
    "Bible Fund",
    "Sunday School Fund",
    "Vacation Bible School",
    "Youth Group Fund",
    "Youth Retreat Fund",
    "Confirmation Fund",
    "Camp Scholarships",
    "College Scholarships",
    "Seminary Student Aid",
    "Missionary Support",
    "Overseas Missions",
    "Disaster Relief",
    "Hunger Offering",
    "Rural Aid Project",
    "Homeless Shelter",
    "Soup Kitchen",
    "Clothing Closet",
    "Refugee Resettlement",
    "Prison Ministry",
    "Hospital Visitation",
    "Shut-in Ministry",
    "Senior Lunches",
    "Fellowship Fund",
    "Men's Breakfast",
    "Women's Circle",
    "Quilting Group",
    "Prayer Shawl Ministry",
    "Altar Guild",
    "Acolyte Fund",
    "Ushers Fund",
    "Welcome Packets",
    "Newsletter Fund",
    "Radio Ministry",
    "Website Fund",
    "Sound System Fund",
    "Projector Fund",
    "Organ Endowment",
    "Music Endowment",
    "General Endowment",
    "Pastor Discretionary",
    "Emergency Assistance",
    "Utility Assistance",
    "Rent Assistance",
    "Medical Assistance",
    "Funeral Luncheons",
    "Wedding Fund",
    "Anniversary Celebration",
    "Capital Campaign",
    "Debt Reduction",
    "Mortgage Fund",
    "Parsonage Fund",
    "Parsonage Furnishings",
    "Furnace Replacement",
    "Window Replacement",
    "Accessibility Ramp",
    "Restroom Renovation",
    "Paint Fund",
    "Fence Fund",
    "Sign Fund",
    "Tree Memorial",
    "Columbarium Fund",
    "Garden of Memory",
    "Pew Cushions",
    "Paraments Fund",
    "Communion Ware",
    "Baptismal Font",
    "Christmas Pageant",
    "Easter Breakfast",
    "Thanksgiving Baskets",
    "Backpack Program",
    "Tutoring Program",
    "Storm Recovery",
};
static_assert(std::size(kFunds) == kLastWorkingRow);

constexpr const char* kSources[] = {
    "Rummage Sale",
    "Building Rental",
    "Savings Interest",
    "Bake Sale",
    "Craft Fair",
    "Pancake Breakfast",
    "Spaghetti Supper",
    "Fish Fry",
    "Car Wash",
    "Concert Tickets",
    "Cookbook Sales",
    "Candy Sales",
    "Wreath Sales",
    "Poinsettia Sales",
    "Easter Flower Sales",
    "Pumpkin Patch",
    "Plant Sale",
    "Book Sale",
    "Yard Sale",
    "Auction",
    "Golf Outing",
    "Raffle",
    "Silent Auction",
    "Christmas Bazaar",
    "Strawberry Festival",
    "Ice Cream Social",
    "Chicken Barbecue",
    "Cemetery Lot Sales",
    "Parking Lot Rental",
    "Parsonage Rent",
    "Hall Rental",
    "Kitchen Rental",
    "Wedding Fees",
    "Funeral Fees",
    "Memorial Gifts",
    "Thrift Shop",
    "Cell Tower Lease",
    "Farm Land Rent",
    "Certificate Interest",
    "Money Market Interest",
    "Endowment Income",
    "Trust Distribution",
    "Estate Bequest",
    "Insurance Refund",
    "Utility Rebate",
    "Tax Refund",
    "Grant Income",
    "Vending Machine",
    "Recycling Income",
    "Daycare Rent",
};
static_assert(std::size(kSources) == kLastSourceRow);

// The Sundays of the month; each week's deposits, designations and checks carry its date.
constexpr const char* kSundays[] = {"10/03/27", "10/10/27", "10/17/27", "10/24/27", "10/31/27"};
constexpr int kWeeks = static_cast<int>(std::size(kSundays));

constexpr int kDepositsPerWeek = 3;
constexpr int kDesignationsPerWeek = 30;
constexpr int kSourceNotesPerWeek = 10;
constexpr int kTransfersPerWeek = 2;  // TO/TI pairs
constexpr int kFundChecksPerWeek = 24;
constexpr int kBudgetChecksPerWeek = 128;  // the last week takes whatever fills the journal
constexpr int kCancelEvery = 70;           // one budget check in so many is cancelled and re-entered
constexpr int kNewFundWeek = 2;

// Funds that receive transfers from the budget (rows); the new fund receives them too.
constexpr int kTransferFunds[] = {4, 8, 9, 39, 40, 43};
// Budget accounts that transfer to funds: missions and fellowship.
constexpr int kTransferAccountsFirst = 81;
constexpr int kTransferAccountsLast = 100;

class FullMonth {
public:
    explicit FullMonth(std::string path)
        : path_(std::move(path)), ids_(seededRandom(2027)), amounts_(seededRandom(1027)) {
        ledger_.CurrentFile = path_;
    }

    Status write() {
        setUpLedger();
        if (Status s = SaveMonthFile(ledger_); !s) return s;
        if (Status s = journal_.open(Journal::pathFor(path_), JournalMode::ReadWrite); !s) return s;
        for (int week = 0; week < kWeeks; ++week) {
            if (Status s = recordWeek(week); !s) return s;
        }
        journal_.close();
        return verify();
    }

private:
    // Sums of the live (not cancelled) records, to check the replay against.
    struct Expected {
        Money receipts, budgetSpent, fundSpent, fundReceived, sources, transfersIn;
    };

    void setUpLedger() {
        ClearLedger(ledger_);
        for (int i = 1; i <= kLastWorkingRow; ++i) {
            const BudgetLine& line = kBudget[i - 1];
            const long long budget = line.budgetCents;
            // Nine months gone: three quarters of the budget, give or take.
            const long long spent = budget * 3 / 4 * (70 + amounts_(41)) / 100;
            ledger_.BudgetAcctNumber[i] = line.number;
            ledger_.BudgetAcctName[i] = line.name;
            ledger_.BudgetAmount[i][kBudgeted] = Money::cents(budget);
            ledger_.BudgetAmount[i][kSpentInYear] = Money::cents(spent);
        }
        ledger_.BudgetCount = kLastWorkingRow;
        for (int j = 1; j <= kSections; ++j) {
            ledger_.SectionStart[j] = kBudget[(j - 1) * 10].number;
            ledger_.SectionTitle[j] = kSectionTitles[j - 1];
        }
        for (int i = 1; i <= kLastWorkingRow; ++i) {
            ledger_.DesigAcctNumber[i] = NewAccountId(ledger_, ids_);
            ledger_.DesigAcctName[i] = kFunds[i - 1];
            const Money balance = i == kLastWorkingRow ? Money() : Money::cents(centsBetween(5000, 500000));
            ledger_.DesigAmount[i][kAtFirstOfMonth] = balance;
            ledger_.DesigAmount[i][kFundRemaining] = balance;
            expectedFundsAtFirst_ += balance;
        }
        ledger_.DesigCount = kLastWorkingRow;
        for (int k = 1; k <= kLastSourceRow; ++k) {
            ledger_.SourceId[k] = NewAccountId(ledger_, ids_);
            ledger_.SourceName[k] = kSources[k - 1];
        }
        ledger_.Summary[kBeginningBalance] = Money::cents(35241863);
        RecomputeTotals(ledger_);
    }

    Status recordWeek(int week) {
        const char* date = kSundays[week];
        // Each Sunday: the envelopes, the loose plate, and the week's online gifts.
        for (int n = 0; n < kDepositsPerWeek; ++n) {
            static constexpr long long kLow[] = {1200000, 80000, 200000};
            static constexpr long long kHigh[] = {2000000, 250000, 600000};
            const Money amount = Money::cents(centsBetween(kLow[n], kHigh[n]));
            if (Status s = append(composeKeyedRecord("DP", "", *amountAsStr(amount), date)); !s) return s;
            expected_.receipts += amount;
        }
        // The new fund takes gifts only once it exists.
        const int fundRows = week > kNewFundWeek ? kLastWorkingRow : kLastWorkingRow - 1;
        for (int n = 0; n < kDesignationsPerWeek; ++n) {
            const int row = 1 + amounts_(fundRows);
            const Money amount = Money::cents(centsBetween(1000, 50000));
            auto record =
                composeKeyedRecord("DD", ledger_.DesigAcctNumber[row], *amountAsBox(amount.format00()), date);
            if (Status s = append(record); !s) return s;
            expected_.fundReceived += amount;
        }
        for (int n = 0; n < kSourceNotesPerWeek; ++n) {
            const int row = 1 + amounts_(kLastSourceRow);
            const Money amount = Money::cents(centsBetween(500, 120000));
            auto record = composeKeyedRecord("SX", ledger_.SourceId[row], *amountAsRight(amount), date);
            if (Status s = append(record); !s) return s;
            expected_.sources += amount;
        }
        if (week == kNewFundWeek) {
            const std::string& id = ledger_.DesigAcctNumber[kLastWorkingRow];
            if (Status s = append(composeFundCreated(id)); !s) return s;
            if (Status s = append(composeFundName(ledger_.DesigAcctName[kLastWorkingRow])); !s) return s;
        }
        for (int n = 0; n < kTransfersPerWeek; ++n) {
            const int fund = week >= kNewFundWeek && n == 0
                                 ? kLastWorkingRow
                                 : kTransferFunds[amounts_(static_cast<int>(std::size(kTransferFunds)))];
            const int account =
                kTransferAccountsFirst + amounts_(kTransferAccountsLast - kTransferAccountsFirst + 1);
            const Money amount = Money::cents(centsBetween(5000, 60000));
            const std::string box = *amountAsBox(amount.format00());
            if (Status s = append(composeBudgetRecord("TO", ledger_.BudgetAcctNumber[account], box, date));
                !s) {
                return s;
            }
            if (Status s = append(composeKeyedRecord("TI", ledger_.DesigAcctNumber[fund], box, date)); !s)
                return s;
            expected_.budgetSpent += amount;
            expected_.fundReceived += amount;
            expected_.transfersIn += amount;
        }

        // Checks: fund and budget expenditures mixed in a repeatable order.
        int budgetChecks = kBudgetChecksPerWeek;
        if (week == kWeeks - 1) {
            // Cancelling rewrites a record in place, so the count is known before the checks.
            budgetChecks = kFullMonthRecords - static_cast<int>(journal_.recordCount()) - kFundChecksPerWeek;
        }
        std::vector<bool> fromFund(static_cast<std::size_t>(budgetChecks + kFundChecksPerWeek), false);
        for (int n = 0; n < kFundChecksPerWeek; ++n) fromFund[static_cast<std::size_t>(n)] = true;
        for (std::size_t n = fromFund.size(); n > 1; --n) {
            const auto other = static_cast<std::size_t>(amounts_(static_cast<int>(n)));
            const bool held = fromFund[n - 1];
            fromFund[n - 1] = fromFund[other];
            fromFund[other] = held;
        }
        for (const bool fund : fromFund) {
            const std::string reference = "ck " + std::to_string(nextCheck_++);
            if (fund) {
                const int row = 1 + amounts_(fundRows);
                const Money amount = Money::cents(centsBetween(1000, 40000));
                auto record =
                    composeKeyedRecord("DX", ledger_.DesigAcctNumber[row], *amountAsStr(amount), reference);
                if (Status s = append(record); !s) return s;
                expected_.fundSpent += amount;
                continue;
            }
            if (Status s = budgetCheck(reference); !s) return s;
            // Now and then a check goes to the wrong account: it is cancelled and written again.
            if (++budgetCheckCount_ % kCancelEvery == 0) {
                const auto reason = (budgetCheckCount_ / kCancelEvery) % 3 == 0 ? CancelReason::Deleted
                                                                                : CancelReason::Canceled;
                if (Status s = journal_.write(journal_.recordCount(), cancelledRecord(reason)); !s) return s;
                expected_.budgetSpent -= lastBudgetCheck_;
            }
        }
        return Status::Ok();
    }

    Status budgetCheck(const std::string& reference) {
        const int row = 1 + amounts_(kLastWorkingRow);
        const long long budget = kBudget[row - 1].budgetCents;
        // Most checks are small; an account sees up to a month of its budget, 5,000.00 at most.
        const long long high = std::max(2000LL, budget / 12);
        const Money amount = Money::cents(centsBetween(500, std::min(high, 500000LL)));
        auto record =
            composeBudgetRecord("BX", ledger_.BudgetAcctNumber[row], *amountAsStr(amount), reference);
        if (Status s = append(record); !s) return s;
        expected_.budgetSpent += amount;
        lastBudgetCheck_ = amount;
        return Status::Ok();
    }

    Status append(const ActionRecord& record) { return journal_.append(record); }

    long long centsBetween(long long low, long long high) {
        return low + amounts_(static_cast<int>(high - low + 1));
    }

    Status verify() const {
        Ledger loaded;
        Journal journal;
        if (Status s = LoadMonthFile(loaded, journal, path_, JournalMode::ReadOnly); !s) return s;
        if (journal.recordCount() != kFullMonthRecords) {
            return Status::Error(path_ + ": the journal has " + std::to_string(journal.recordCount()) +
                                 " records, not " + std::to_string(kFullMonthRecords));
        }
        auto records = journal.readAll();
        if (!records) return records.status();
        static constexpr std::string_view kCodes[] = {"BX", "DX", "DP", "DD", "TO",
                                                      "TI", "SX", "DN", "D2", "ZZ"};
        bool seen[std::size(kCodes)] = {};
        for (const ActionRecord& record : *records) {
            for (std::size_t c = 0; c < std::size(kCodes); ++c)
                seen[c] = seen[c] || record.code() == kCodes[c];
        }
        for (std::size_t c = 0; c < std::size(kCodes); ++c) {
            if (!seen[c])
                return Status::Error(path_ + ": the journal has no " + std::string(kCodes[c]) + " record");
        }
        const auto& s = loaded.Summary;
        const std::pair<Money, Money> checks[] = {
            {s[kTotalReceipts], expected_.receipts},
            {s[kBudgetExpenditures], expected_.budgetSpent},
            {s[kDesignatedExpenditures], expected_.fundSpent},
            {s[kInternalTransfers], expected_.transfersIn},
            {loaded.SourceAmount[0], expected_.sources},
            {s[kDesignatedAtFirst], expectedFundsAtFirst_},
            {s[kDesignatedFundTotals], expectedFundsAtFirst_ + expected_.fundReceived - expected_.fundSpent},
        };
        for (const auto& [got, want] : checks) {
            if (got != want) {
                return Status::Error(path_ + ": a replayed total is " + got.format00() + " where " +
                                     want.format00() + " was recorded");
            }
        }
        return Status::Ok();
    }

    std::string path_;
    Ledger ledger_;
    Journal journal_;
    RandomBelow ids_;
    RandomBelow amounts_;
    Expected expected_;
    Money expectedFundsAtFirst_;
    Money lastBudgetCheck_;
    int budgetCheckCount_ = 0;
    int nextCheck_ = 5001;
};

}  // namespace

Result<std::string> writeFullMonth(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) return Status::Error(folder + ": " + error.message());
    const std::string month = (fs::path(folder) / kFullMonthName).string();
    // The journal is appended to, so an earlier one must not survive.
    for (const std::string& old : {month, Journal::pathFor(month)}) {
        fs::remove(old, error);
        if (error) return Status::Error(old + ": " + error.message());
    }
    FullMonth full(month);
    if (Status s = full.write(); !s) return s;
    return month;
}

Result<std::vector<std::string>> writeFullYear(const std::string& folder) {
    namespace fs = std::filesystem;
    // One full month written record by record (each append is flushed, so this is the slow
    // part), then each month saved from it with its amounts changed and the journal copied.
    const std::string base = (fs::path(folder) / "base").string();
    auto month = writeFullMonth(base);
    if (!month) return month.status();
    Ledger full;
    Journal journal;
    if (Status s = LoadMonthFile(full, journal, *month, JournalMode::ReadOnly); !s) return s;
    journal.close();
    static constexpr const char* kMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                              "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    std::vector<std::string> paths;
    for (int m = 0; m < 12; ++m) {
        Ledger ledger = full;
        for (int i = 1; i <= kLastWorkingRow; ++i) {
            ledger.BudgetAmount[i][kBudgeted] += Money::cents(m);
            ledger.DesigAmount[i][kAtFirstOfMonth] += Money::cents(m);
        }
        ledger.CurrentFile = (fs::path(folder) / (std::string(kMonths[m]) + "2027.rep")).string();
        if (Status s = SaveMonthFile(ledger); !s) return s;
        std::error_code error;
        fs::copy_file(Journal::pathFor(*month), Journal::pathFor(ledger.CurrentFile),
                      fs::copy_options::overwrite_existing, error);
        if (error) return Status::Error(Journal::pathFor(ledger.CurrentFile) + ": " + error.message());
        paths.push_back(ledger.CurrentFile);
    }
    return paths;
}

}  // namespace quorvel::bench
