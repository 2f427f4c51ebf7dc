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
    std::size_t filesInFolder() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder.root()),
                                                      std::filesystem::directory_iterator()));
    }

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
        EXPECT_EQ(written->pid, static_cast<long>(::getpid()));
        EXPECT_TRUE(
            std::regex_match(written->since, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d [+-]\d{4})")))
            << written->since;
        EXPECT_EQ(filesInFolder(), 2u);  // the month and its lock: no temporary left behind

        MonthLock second;
        const LockAttempt refused = second.acquire(month);
        ASSERT_EQ(refused.state, LockState::HeldByOther);
        EXPECT_FALSE(second.held());
        EXPECT_TRUE(refused.holder.known);
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

TEST_F(MonthLockTest, OnlyALockOfACopyThatDiedOnThisHostIsTakenOver) {
    const long dead = deadPid();
    const std::string here = thisProcess().host;

    const std::string elsewhere = composeLockText(holder("anna", "vestry", dead));
    writeFile(lockFile, elsewhere);
    MonthLock lock;
    const LockAttempt refused = lock.acquire(month);
    ASSERT_EQ(refused.state, LockState::HeldByOther);
    EXPECT_EQ(composeLockText(refused.holder), elsewhere);
    EXPECT_EQ(readFile(lockFile), elsewhere);

    // A live process of this host (this one) is no stale lock either.
    const std::string live = composeLockText(holder("anna", here, static_cast<long>(::getpid())));
    writeFile(lockFile, live);
    EXPECT_EQ(lock.acquire(month).state, LockState::HeldByOther);
    EXPECT_EQ(readFile(lockFile), live);

    writeFile(lockFile, composeLockText(holder("anna", here, dead)));
    const LockAttempt taken = lock.acquire(month);
    ASSERT_EQ(taken.state, LockState::Acquired);
    EXPECT_TRUE(taken.tookOverStale);
    const auto now = parseLockText(readFile(lockFile));
    ASSERT_TRUE(now.has_value());
    EXPECT_EQ(now->pid, static_cast<long>(::getpid()));
    EXPECT_EQ(filesInFolder(), 1u);  // the stale lock is not kept aside
}

TEST_F(MonthLockTest, ALockOfAnEarlierReleaseUnderTheOldNameIsHonoured) {
    const std::string older = folder.path("NOV2026.rep.lock");
    writeFile(older, composeLockText(holder("anna", "vestry", 4711)));
    MonthLock lock;
    const LockAttempt refused = lock.acquire(month);
    ASSERT_EQ(refused.state, LockState::HeldByOther);
    EXPECT_EQ(refused.holder.host, "vestry");
    EXPECT_FALSE(std::filesystem::exists(lockFile));  // our lock is not left behind

    writeFile(older, composeLockText(holder("anna", thisProcess().host, deadPid())));
    EXPECT_EQ(lock.acquire(month).state, LockState::Acquired);  // its copy died here
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
         {std::string(), std::string("\x01\xff garbage\n"), whole.substr(0, 40),
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
