// Where a month's files are, and which names belong to which month. A month's identity is
// its journal: every month file name whose journal name differs only in letter case
// ("DEC2026.REP" beside "DEC2026.rep") would share one journal, so the lock and the
// commands that write a new month treat those names as one month.
#pragma once

#include <string>

#include "status.h"

namespace quorvel {

// The file a month name leads to: a symbolic link is resolved here, once, when the month
// is opened, so its journal, lock, temporary files and backups all sit beside the real file
// and a save replaces the real file, not the link. Other names come back as given.
std::string realMonthPath(const std::string& path);

// Letter case folded for ASCII letters only, whatever the locale: file names are bytes.
bool sameNameIgnoringCase(const std::string& a, const std::string& b);
std::string lowercaseAscii(std::string name);

// `exact` when it exists; else the file in its folder whose name differs only in letter case
// (the lowest in byte order, so the choice never depends on directory order); else `exact`.
std::string locateIgnoringCase(const std::string& exact);

// Refuses `target` as the name of a month to be written when its journal would be the
// journal of another month file in the same folder, naming that file.
Status refuseSharedJournal(const std::string& target);

// Whether the month at `monthPath` (already resolved) can be written: its file and its
// journal, where they exist, open for writing. The message tells the reason when not.
Status checkMonthWritable(const std::string& monthPath);

// The message for a failed open of `path`: a link or a special file where a month's file
// belongs is named as such rather than by errno's wording.
std::string describeOpenFailure(const std::string& path, int error);

}  // namespace quorvel
