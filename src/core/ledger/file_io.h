// The core's only contact with the file system for whole files: reading a file, and
// replacing one safely (temporary file in the same folder, flushed to disk, renamed over
// the old one), so a crash or a full disk never leaves a half-written file behind.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "status.h"

namespace quorvel {

// Reads a whole file; refuses files larger than `maxBytes`.
Result<std::string> readWholeFile(const std::string& path, std::size_t maxBytes);

// Replaces (or creates) `path` with `bytes`. On failure the old file is untouched, no
// temporary file is left, and the message names the file and the reason.
Status writeFileAtomically(const std::string& path, std::string_view bytes);

// As writeFileAtomically, and the file being replaced, if any, is kept as `backupPath`
// (replacing an older backup) before the new one takes its place. When no backup can be
// kept, nothing is written and the reason is reported.
Status writeFileKeepingBackup(const std::string& path, std::string_view bytes, const std::string& backupPath);

// Makes a file's creation or rename in `folder` durable; failure here is not fatal for the
// content, so it is not reported.
void syncFolder(const std::string& folder);

// "path: reason" with the reason taken from errno.
std::string describeErrno(const std::string& path, int error);

}  // namespace quorvel
