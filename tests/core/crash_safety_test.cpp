// A copy of the program killed at any moment of a save (power cut, kill -9) leaves the month
// file as it was before that save or as it is after it, never a mixture.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>

#include "core/sample_month.h"
#include "core/test_folder.h"
#include "ledger/month_file.h"

namespace quorvel {
namespace {

using test::readFile;
using test::TestFolder;

// Saves the two versions in turn for ever, telling the parent when it starts and after each save.
[[noreturn]] void saveForEver(const Ledger& a, const Ledger& b, int doneSignal) {
    if (::write(doneSignal, "r", 1) != 1) _exit(3);
    for (unsigned n = 0;; ++n) {
        if (!SaveMonthFile(n % 2 ? a : b).ok()) _exit(2);
        if (::write(doneSignal, "s", 1) != 1) _exit(3);
    }
}

void busyWait(std::chrono::microseconds span) {
    const auto until = std::chrono::steady_clock::now() + span;
    while (std::chrono::steady_clock::now() < until) {
    }
}

// Removes what killed saves left behind (hidden temporaries); returns how many there were.
int removeLeftovers(const TestFolder& folder) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.root())) {
        if (entry.path().filename().string().front() == '.') {
            std::filesystem::remove(entry.path());
            ++count;
        }
    }
    return count;
}

TEST(CrashSafety, AKilledSaveLeavesTheOldOrTheNewMonth) {
    TestFolder folder;
    Ledger a = test::sampleLedger();
    a.CurrentFile = folder.path("NOV2026.rep");
    Ledger b = a;  // a longer file, so a mixture would show in its length too
    for (int row = 4; row <= 99; ++row) {
        b.BudgetAcctNumber[row] = std::to_string(100 + row);
        b.BudgetAcctName[row] = "Account number " + std::to_string(row);
        b.BudgetAmount[row][kBudgeted] = Money::cents(123456 + row);
    }
    b.BudgetCount = 99;
    ASSERT_TRUE(SaveMonthFile(a).ok());
    const std::string oldBytes = readFile(a.CurrentFile);
    const std::string newBytes = composeMonthFile(b).value();
    ASSERT_NE(oldBytes.size(), newBytes.size());

    // How long one save takes here (disk, build, load), so the kills can be spread over it.
    Ledger scratch = b;
    scratch.CurrentFile = folder.path("SCRATCH.rep");
    const auto started = std::chrono::steady_clock::now();
    for (int n = 0; n < 5; ++n) ASSERT_TRUE(SaveMonthFile(scratch).ok());
    const auto oneSave = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started) / 5;
    std::filesystem::remove(scratch.CurrentFile);
    std::filesystem::remove(monthBackupPath(scratch.CurrentFile));
    const auto spread = static_cast<unsigned>(2 * oneSave.count() + 1);

    std::mt19937 random(20261206);
    int killedMidSave = 0;
    constexpr int kKills = 200;
    for (int kill = 0; kill < kKills; ++kill) {
        int done[2];
        ASSERT_EQ(::pipe(done), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(done[0]);
            saveForEver(a, b, done[1]);
        }
        ::close(done[1]);
        // Once the child runs, a few whole saves at times, then a random moment in the next ones.
        char byte = 0;
        for (unsigned signals = 1 + random() % 3; signals > 0; --signals) ASSERT_EQ(::read(done[0], &byte, 1), 1);
        busyWait(std::chrono::microseconds(random() % spread));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ::close(done[0]);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child stopped by itself, status " << status;

        const std::string now = readFile(a.CurrentFile);
        ASSERT_TRUE(now == oldBytes || now == newBytes) << "kill " << kill << " left " << now.size() << " bytes";
        const std::string backup = monthBackupPath(a.CurrentFile);
        if (std::filesystem::exists(backup)) {
            const std::string kept = readFile(backup);
            ASSERT_TRUE(kept == oldBytes || kept == newBytes) << "kill " << kill;
        }
        Ledger loaded;
        Journal journal;
        ASSERT_TRUE(LoadMonthFile(loaded, journal, a.CurrentFile, JournalMode::ReadOnly).ok()) << "kill " << kill;
        if (removeLeftovers(folder) > 0) ++killedMidSave;
    }
    // Kills must land while the file is being written, or the test proved nothing. About a
    // quarter to a half do (fewer in sanitized builds, where composing takes longer).
    EXPECT_GE(killedMidSave, kKills / 20);
}

}  // namespace
}  // namespace quorvel
