// The action journal of the loaded month: a file of 34-byte records beside the month file,
// numbered from 1. Records are only ever appended or rewritten in place, each write flushed
// to disk before the caller changes any table, so a recorded action is never lost.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "action_record.h"
#include "status.h"

namespace quorvel {

// The most a journal may hold, checked before it is read: a real month holds some hundreds
// of records, so a file beyond this is not a journal, and reading never allocates more.
inline constexpr std::int64_t kMaxJournalRecords = 100'000;
inline constexpr std::int64_t kMaxJournalBytes = kMaxJournalRecords * static_cast<std::int64_t>(kRecordSize);

enum class JournalMode {
    ReadWrite,  // opened for recording; a missing journal is created by the first record
    ReadOnly,   // for viewing; a missing journal counts as empty and is not created
};

class Journal {
public:
    Journal() = default;
    ~Journal();
    Journal(Journal&& other) noexcept;
    Journal& operator=(Journal&& other) noexcept;
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    // The month file path with its last four characters replaced by ".jrn".
    static std::string pathFor(const std::string& monthPath);
    // pathFor(), or, when no such file exists, a file in the same folder whose name differs
    // only in letter case ("JAN2027.JRN" for "JAN2027.rep"). Returns pathFor() when neither exists.
    static std::string locate(const std::string& monthPath);

    // Opening never creates or changes a file: merely looking at a month leaves its folder
    // as it was.
    Status open(const std::string& path, JournalMode mode);
    // Creates `path` as an empty journal when it does not exist (a new month's journal).
    static Status createEmpty(const std::string& path);
    void close();
    bool isOpen() const { return open_; }
    // Opened for recording (a damaged journal still refuses every write).
    bool isWritable() const { return open_ && writable_; }
    const std::string& path() const { return path_; }

    // Whole records only: a torn last write (a length that is not a multiple of 34, or whole
    // records of zero bytes at the end) is not counted.
    std::int64_t recordCount() const;
    Result<ActionRecord> read(std::int64_t number) const;
    // The records up to the first damaged one (see ActionRecord::isWellFormed). A damaged
    // record is remembered: from then on nothing is written into this journal, since the
    // bytes after the damage are someone's records, shifted.
    Result<std::vector<ActionRecord>> readAll() const;
    // The number of the first damaged record readAll() found, 0 when none.
    std::int64_t damagedRecord() const { return damagedAt_; }
    // For the treasurer: which record is damaged and how many were read.
    std::string damageMessage() const;
    // Rewrites record `number` (1..recordCount) in place and flushes it.
    Status write(std::int64_t number, const ActionRecord& record);
    // Rewrites neighbouring records from `number` on in one write (the halves of a transfer).
    Status write(std::int64_t number, std::span<const ActionRecord> records);
    // Writes at recordCount() + 1, over any torn tail, and flushes it.
    Status append(const ActionRecord& record);
    // Appends records that belong together (the two halves of a transfer) in one write:
    // either all of them are recorded or, on failure, none.
    Status append(std::span<const ActionRecord> records);

private:
    // Whether this journal may be written now; creates it when the month had none.
    Status readyToWrite();
    Status writeAt(std::int64_t number, std::string_view bytes);
    Status rewriteAt(std::int64_t number, std::string_view bytes);
    Status createIfMissing();
    Status checkStillAtName() const;
    void remember(int fd);

    int fd_ = -1;
    dev_t device_ = 0;
    ino_t inode_ = 0;
    mutable std::int64_t damagedAt_ = 0;
    mutable std::int64_t zeroTail_ = -1;  // whole records read before a tail of zero bytes, or -1
    bool open_ = false;
    bool writable_ = false;
    std::string path_;
};

}  // namespace quorvel
