// The lock that keeps a second copy from starting; an unopenable lock file is
// ProgramStart.SecondCopyStopsBeforeShowingItsWindow's.
#include "platform/single_instance.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QTemporaryDir>
#include <csignal>

namespace quorvel::platform {
namespace {

TEST(SingleInstance, SecondCopyIsRefusedUntilTheFirstGoesAwayOrIsKilled) {
    QTemporaryDir dir;
    const QString lock = dir.filePath("quorvel.lock");
    {
        SingleInstance first(lock);
        ASSERT_TRUE(first.acquire());
        EXPECT_TRUE(first.acquire());  // asking again keeps it

        SingleInstance second(lock);
        EXPECT_FALSE(second.acquire());
        EXPECT_FALSE(second.held());
        EXPECT_EQ(second.error(), QString());  // refused, not broken
    }
    EXPECT_TRUE(SingleInstance(lock).acquire());

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

    EXPECT_TRUE(SingleInstance(lock).acquire());
}

}  // namespace
}  // namespace quorvel::platform
