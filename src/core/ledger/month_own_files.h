// A month's own files: the month file (.rep), its journal (.jrn), its audit trail (.aud), its
// lock, the backups of each and its reconciliation file (.rec). Only the month's own saving may
// write them; report files and any other file the program writes must never land on one, or a
// month's actions are gone without a word.
#pragma once

#include <optional>
#include <string>

#include "status.h"

namespace quorvel {

// The month's reconciliation file: the month path with a last ".rep" (in any letter case)
// replaced by ".rec", or with ".rec" added to any other name ("DEC2026.rep" -> "DEC2026.rec",
// "Church2026" -> "Church2026.rec").
std::string reconciliationPathFor(const std::string& monthPath);

// The own file of the month at `monthPath` (its month file, journal, audit trail, lock, a
// backup, and with `withReconciliation` its reconciliation file) that `path` is, through a hard
// or symbolic link: the same device and inode. Nothing when it is none of them.
std::optional<std::string> sameFileAsMonthOwn(const std::string& path, const std::string& monthPath,
                                              bool withReconciliation);

// Refuses `path` as the target of a file the program writes for the treasurer (a report, a
// PDF): a name of a month's own file (of any month, in any letter case), a file whose bytes
// are a month file, a journal, an audit trail or a lock whatever its name, or the same file as
// one of the files of `openMonth` (through a hard or symbolic link). `openMonth` may be empty.
// The message names the file and what it is.
Status checkNotMonthOwnFile(const std::string& path, const std::string& openMonth);

}  // namespace quorvel
