#include "platform/single_instance.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QTemporaryDir>
#include <csignal>

namespace quorvel::platform {
namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString lock = dir.filePath("quorvel.lock");
};

TEST_F(SingleInstanceTest, SecondCopyIsRefusedUntilTheFirstGoesAway) {
    {
        SingleInstance first(lock);
        ASSERT_TRUE(first.acquire());
        EXPECT_TRUE(first.acquire());  // asking again keeps it

        SingleInstance second(lock);
        EXPECT_FALSE(second.acquire());
        EXPECT_FALSE(second.held());
        EXPECT_EQ(second.error(), QString());  // refused, not broken
    }
    SingleInstance next(lock);
    EXPECT_TRUE(next.acquire());
}

TEST_F(SingleInstanceTest, KilledHolderLeavesNothingBlocking) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(ready[0]);
        SingleInstance held(lock);
        const char answer = held.acquire() ? '1' : '0';
        if (::write(ready[1], &answer, 1) != 1) ::_exit(2);
        for (;;) ::pause();  // killed by the parent, the lock never released by us
    }
    ::close(ready[1]);
    char answer = 0;
    const ssize_t got = ::read(ready[0], &answer, 1);
    ::close(ready[0]);

    bool refusedWhileHeld = false;
    if (got == 1 && answer == '1') {
        SingleInstance meanwhile(lock);
        refusedWhileHeld = !meanwhile.acquire();
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_EQ(got, 1);
    ASSERT_EQ(answer, '1');
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_TRUE(refusedWhileHeld);

    SingleInstance after(lock);
    EXPECT_TRUE(after.acquire());
}

TEST_F(SingleInstanceTest, UnopenableLockFileIsAnErrorNotAnotherCopy) {
    SingleInstance instance(dir.filePath("no-such-folder/quorvel.lock"));
    EXPECT_FALSE(instance.acquire());
    EXPECT_TRUE(instance.error().contains("no-such-folder")) << instance.error().toStdString();
}

}  // namespace
}  // namespace quorvel::platform
