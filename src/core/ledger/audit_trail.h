// The audit trail of a month: a text file beside the month file ("DEC2026.aud" for
// "DEC2026.rep") to which every change of a recorded action or an account is appended, and
// flushed to disk, before the change is made. Nothing is ever rewritten in it. The month
// never depends on it: replay reads the month file and the journal only, so a missing or
// damaged trail changes no figure.
//
// Format (UTF-8, LF line ends): the first line is kAuditTrailFirstLine; then one line per
// entry, its fields separated by tabs: time, user, command, note, and for each thing changed
// three fields: subject, before, after. Field bytes are the files' Windows-1252 text, written
// as UTF-8; a backslash, a tab, a line break, any other control byte and the five bytes
// without a character are escaped (\\ \t \n \r \xHH), so every field reads back exactly.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "status.h"

namespace quorvel {

inline constexpr std::string_view kAuditTrailFirstLine = "Quorvel audit trail 1";
// Far above any month's trail (each entry is a line or two); a larger file is not read.
inline constexpr std::size_t kMaxAuditTrailBytes = std::size_t{16} * 1024 * 1024;

// One thing an entry changed: "action 12" with the record before and after, "budget account
// 210" with its number, name and amounts, ...; an empty side means it did not exist.
struct AuditChange {
    std::string subject;
    std::string before;
    std::string after;
    bool operator==(const AuditChange&) const = default;
};

struct AuditEntry {
    std::string time;  // local time with its zone, "2026-12-06 14:03:27 +0100"
    std::string user;
    std::string command;  // "Cancel action", "Change budget account", ...
    std::string note;     // why an entry stands apart ("Not made" says why); mostly empty
    std::vector<AuditChange> changes;
    bool operator==(const AuditEntry&) const = default;
};

// The command of the entry that follows one whose change failed without taking effect.
inline constexpr std::string_view kAuditNotMade = "Not made";

// The trail's name for a month file: its last four characters replaced by ".aud".
std::string auditTrailPathFor(const std::string& monthPath);
// auditTrailPathFor(), or an existing file whose name differs only in letter case.
std::string locateAuditTrail(const std::string& monthPath);

// An entry as its line (without the line end), and back; nothing when the line is damaged.
std::string composeAuditLine(const AuditEntry& entry);
std::optional<AuditEntry> parseAuditLine(std::string_view line);

// Appends `entry` to the trail at `path` (created, never through a link, when missing) in one
// write and flushes it to disk. On failure nothing of it stays and the message says why.
Status appendAuditEntry(const std::string& path, const AuditEntry& entry);

struct AuditTrailRead {
    std::vector<AuditEntry> entries;  // oldest first
    bool exists = false;
    // Empty when the whole trail was read; otherwise what is missing or damaged and what was read.
    std::string message;
};

// Reads whatever can be read; never fails. A damaged line is skipped and named in the message.
AuditTrailRead readAuditTrail(const std::string& path);

// Whether `bytes` begin as a trail does.
bool startsAsAuditTrail(std::string_view bytes);

}  // namespace quorvel
