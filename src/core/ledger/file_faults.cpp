#include "file_faults.h"

#include <utility>

namespace quorvel {
namespace {

FileFaultHook& currentHook() {
    static FileFaultHook hook;
    return hook;
}

}  // namespace

void setFileFaultHook(FileFaultHook hook) { currentHook() = std::move(hook); }

int injectedFault(FileStep step, const std::string& path) {
    const FileFaultHook& hook = currentHook();
    return hook ? hook(step, path) : 0;
}

}  // namespace quorvel
