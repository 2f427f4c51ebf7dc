// A seam in the file layer through which tests make one step of a write fail, as a full
// disk, a failing device or a vanished network share would. Nothing in the program sets it;
// without a hook every step carries on.
#pragma once

#include <functional>
#include <string>

namespace quorvel {

enum class FileStep {
    Write,   // the bytes: a failing write stores the first half, then fails
    Flush,   // closing the written file, where network file systems report late errors
    Sync,    // fsync or fdatasync
    Rename,  // putting the finished file in place
    Link,    // keeping the replaced month file as its backup by a hard link
    Open,    // opening or creating a file of the month for writing
};

// Called before each step with the path the step is for (the file being replaced, not the
// temporary one). Returns 0 to carry on, or the errno the step fails with.
using FileFaultHook = std::function<int(FileStep step, const std::string& path)>;

// Installs `hook` (an empty one removes it). Not thread-safe: for tests only.
void setFileFaultHook(FileFaultHook hook);

// The errno a step must fail with, or 0. Used by the file layer itself.
int injectedFault(FileStep step, const std::string& path);

// Installs a hook for as long as it lives.
class ScopedFileFault {
public:
    explicit ScopedFileFault(FileFaultHook hook) { setFileFaultHook(std::move(hook)); }
    ~ScopedFileFault() { setFileFaultHook({}); }
    ScopedFileFault(const ScopedFileFault&) = delete;
    ScopedFileFault& operator=(const ScopedFileFault&) = delete;
};

}  // namespace quorvel
