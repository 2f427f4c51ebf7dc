#include "ledger/month_lock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <regex>

#include "core/test_folder.h"

namespace quorvel {
namespace {

using test::readFile;
using test::writeFile;

// The id of a process that has certainly ended: a child started and reaped here.
long deadPid() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

LockHolder holder(const std::string& user, const std::string& host, long pid) {
    return {user, host, "2026-12-06 14:03:27 +0100", pid, true};
}

class MonthLockTest : public ::testing::Test {
protected:
    std::size_t filesInFolder() const { return test::folderFiles(folder.root()).size(); }

    test::TestFolder folder;
    const std::string month = folder.path("NOV2026.rep");
    const std::string lockFile = folder.path("nov2026.jrn.lock");
};

TEST_F(MonthLockTest, AcquireNamesUsHoldsOffASecondOpenerAndReleaseFreesIt) {
    writeFile(month, "month");
    {
        MonthLock first;
        ASSERT_EQ(first.acquire(month).state, LockState::Acquired);
        EXPECT_EQ(first.lockPath(), lockFile);
        const std::string text = readFile(lockFile);
        const auto written = parseLockText(text);
        ASSERT_TRUE(written.has_value()) << text;
        LockHolder me = thisProcess();
        me.since = written->since;
        EXPECT_EQ(composeLockText(*written), composeLockText(me));
        EXPECT_TRUE(
            std::regex_match(written->since, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d [+-]\d{4})")))
            << written->since;
        EXPECT_EQ(filesInFolder(), 2u);  // the month and its lock: no temporary left behind

        MonthLock second;
        const LockAttempt refused = second.acquire(month);
        ASSERT_EQ(refused.state, LockState::HeldByOther);
        EXPECT_FALSE(second.held());
        EXPECT_EQ(composeLockText(refused.holder), text);
        EXPECT_EQ(readFile(lockFile), text);

        first.release();
        EXPECT_FALSE(std::filesystem::exists(lockFile));
        ASSERT_EQ(second.acquire(month).state, LockState::Acquired);
        MonthLock moved = std::move(second);
        EXPECT_TRUE(moved.held());
        EXPECT_TRUE(std::filesystem::exists(lockFile));
    }
    EXPECT_FALSE(std::filesystem::exists(lockFile));  // released when its holder goes
    EXPECT_EQ(filesInFolder(), 1u);
}

// Under its name or under the old one of an earlier release, only a lock whose copy died on
// this host is taken over; a live process of this host (this one) holds its lock.
TEST_F(MonthLockTest, OnlyALockOfACopyThatDiedOnThisHostIsTakenOver) {
    const long dead = deadPid();
    const std::string here = thisProcess().host;
    const std::string older = folder.path("NOV2026.rep.lock");
    const std::tuple<std::string, LockHolder, bool> cases[] = {
        {lockFile, holder("anna", "vestry", dead), false},
        {lockFile, holder("anna", here, static_cast<long>(::getpid())), false},
        {lockFile, holder("anna", here, dead), true},
        {older, holder("anna", "vestry", 4711), false},
        {older, holder("anna", here, dead), true},
    };
    for (const auto& [at, owner, taken] : cases) {
        SCOPED_TRACE(at + " " + owner.host + " " + std::to_string(owner.pid));
        const std::string text = composeLockText(owner);
        writeFile(at, text);
        MonthLock lock;
        const LockAttempt attempt = lock.acquire(month);
        ASSERT_EQ(attempt.state, taken ? LockState::Acquired : LockState::HeldByOther);
        if (taken) {
            EXPECT_EQ(parseLockText(readFile(lockFile))->pid, static_cast<long>(::getpid()));
            if (at == lockFile) {
                EXPECT_TRUE(attempt.tookOverStale);
                EXPECT_EQ(filesInFolder(), 1u);  // the stale lock is not kept aside
            }
        } else {
            EXPECT_EQ(composeLockText(attempt.holder), text);
            EXPECT_EQ(readFile(at), text);
            EXPECT_EQ(std::filesystem::exists(lockFile), at == lockFile);  // ours is not left behind
        }
        lock.release();
        std::filesystem::remove(at);
    }
}

TEST_F(MonthLockTest, ReleaseLeavesALockThatIsNoLongerOurs) {
    MonthLock lock;
    ASSERT_EQ(lock.acquire(month).state, LockState::Acquired);
    // Another copy judged ours stale and put its own in its place.
    const std::string theirs = composeLockText(holder("anna", "vestry", 4711));
    writeFile(lockFile, theirs);
    lock.release();
    EXPECT_FALSE(lock.held());
    EXPECT_EQ(readFile(lockFile), theirs);
}

TEST_F(MonthLockTest, ADamagedLockIsHeldByAnUnknownUserAndLeftAlone) {
    const std::string whole = composeLockText(holder("anna", thisProcess().host, deadPid()));
    for (const std::string& damaged :
         {std::string(), whole.substr(0, 40),
          std::string("Quorvel month lock\nuser: anna\nhost: vestry\nsince: x\npid: 12ab\n")}) {
        writeFile(lockFile, damaged);
        MonthLock lock;
        const LockAttempt attempt = lock.acquire(month);
        ASSERT_EQ(attempt.state, LockState::HeldByOther) << damaged;
        EXPECT_FALSE(attempt.holder.known) << damaged;
        EXPECT_EQ(readFile(lockFile), damaged);
    }
}

}  // namespace
}  // namespace quorvel
