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

TEST_F(SingleInstanceTest, LockIsNotInheritedByProgramsItStarts) {
    SingleInstance instance(lock);
    ASSERT_TRUE(instance.acquire());
    // Every descriptor on the lock file must be close-on-exec.
    bool found = false;
    for (int fd = 0; fd < 1024; ++fd) {
        char target[4096];
        const std::string link = "/proc/self/fd/" + std::to_string(fd);
        const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
        if (n <= 0 || std::string(target, n) != lock.toStdString()) continue;
        found = true;
        EXPECT_TRUE(::fcntl(fd, F_GETFD) & FD_CLOEXEC);
    }
    EXPECT_TRUE(found);
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
        for (;;)
            ::pause();  // killed by the parent, the lock never released by us
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

TEST(SingleInstanceDefaultPath, UsesTheRuntimeFolderWhenWritableElseTmp) {
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    const bool had = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    EXPECT_EQ(SingleInstance::defaultPath(), runtime.filePath("quorvel.lock"));
    qputenv("XDG_RUNTIME_DIR", runtime.filePath("gone").toLocal8Bit());
    EXPECT_EQ(SingleInstance::defaultPath(), QString("/tmp/quorvel-%1.lock").arg(::getuid()));
    if (had)
        qputenv("XDG_RUNTIME_DIR", saved);
    else
        qunsetenv("XDG_RUNTIME_DIR");
}

}  // namespace
}  // namespace quorvel::platform
