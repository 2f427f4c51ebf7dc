#include "audit_trail.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "code_page.h"
#include "file_faults.h"
#include "file_io.h"
#include "month_paths.h"

namespace quorvel {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";
constexpr std::size_t kFixedFields = 4;  // time, user, command, note

void appendEscaped(std::string& out, std::string_view field) {
    for (const char ch : field) {
        const auto byte = static_cast<unsigned char>(ch);
        if (ch == '\\') {
            out += "\\\\";
        } else if (ch == '\t') {
            out += "\\t";
        } else if (ch == '\n') {
            out += "\\n";
        } else if (ch == '\r') {
            out += "\\r";
        } else if (byte < 0x20 || byte == 0x7F || !isCp1252Character(byte)) {
            out += "\\x";
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 0xF]);
        } else {
            appendUtf8(out, cp1252ToUnicode(byte));
        }
    }
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<std::string> unescape(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '\\') {
            const char kind = i + 1 < text.size() ? text[i + 1] : '\0';
            i += 2;
            if (kind == '\\' || kind == 't' || kind == 'n' || kind == 'r') {
                out.push_back(kind == '\\' ? '\\' : kind == 't' ? '\t' : kind == 'n' ? '\n' : '\r');
            } else if (kind == 'x' && i + 1 < text.size() && hexValue(text[i]) >= 0 &&
                       hexValue(text[i + 1]) >= 0) {
                out.push_back(static_cast<char>(hexValue(text[i]) * 16 + hexValue(text[i + 1])));
                i += 2;
            } else {
                return std::nullopt;
            }
            continue;
        }
        const long c = nextUtf8Character(text, i);
        if (c < 0x20 || c == 0x7F) return std::nullopt;  // not a character, or a bare control one
        const int byte = unicodeToCp1252(static_cast<char32_t>(c));
        if (byte < 0) return std::nullopt;
        out.push_back(static_cast<char>(byte));
    }
    return out;
}

// Where the trail's whole lines end. A line without its line end is an entry cut short by a
// crash: it is written before its change, so that change was never made, and the line goes.
Result<off_t> endOfWholeLines(int fd, off_t size, const std::string& path) {
    char chunk[4096];
    for (off_t end = size; end > 0;) {
        const off_t start = end > off_t{sizeof chunk} ? end - off_t{sizeof chunk} : 0;
        const ssize_t got = ::pread(fd, chunk, static_cast<std::size_t>(end - start), start);
        if (got != end - start) return Status::Error(describeErrno(path, got < 0 ? errno : EIO));
        for (ssize_t i = got; i > 0; --i)
            if (chunk[i - 1] == '\n') return start + i;
        end = start;
    }
    return off_t{0};
}

// A file at the trail's name that does not begin as a trail is someone's own, or damaged
// beyond reading: an entry appended to it could never be read back.
Status checkFirstLine(int fd, off_t size, const std::string& path) {
    if (size == 0) return Status::Ok();
    std::string head(kAuditTrailFirstLine.size() + 1, '\0');
    const ssize_t got = ::pread(fd, head.data(), head.size(), 0);
    if (got < 0) return Status::Error(describeErrno(path, errno));
    head.resize(static_cast<std::size_t>(got));
    if (startsAsAuditTrail(head)) return Status::Ok();
    return Status::Error(path + " is not an audit trail: its first line is not \"" +
                         std::string(kAuditTrailFirstLine) +
                         "\". Nothing was written to it; rename or move it to let the trail start afresh.");
}

Status writeFlushed(int fd, std::string_view bytes, const std::string& path) {
    if (const int fault = injectedFault(FileStep::Write, path)) {
        // As a filling disk does: part of the line lands, then the write fails.
        [[maybe_unused]] const ssize_t half = ::write(fd, bytes.data(), bytes.size() / 2);
        return Status::Error(describeErrno(path, fault));
    }
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return Status::Error(describeErrno(path, errno));
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    if (const int fault = injectedFault(FileStep::Sync, path))
        return Status::Error(describeErrno(path, fault));
    if (::fsync(fd) != 0) return Status::Error(describeErrno(path, errno));
    return Status::Ok();
}

}  // namespace

std::string auditTrailPathFor(const std::string& monthPath) {
    const std::size_t keep = monthPath.size() >= 4 ? monthPath.size() - 4 : 0;
    return monthPath.substr(0, keep) + ".aud";
}

std::string locateAuditTrail(const std::string& monthPath) {
    return locateIgnoringCase(auditTrailPathFor(monthPath));
}

bool startsAsAuditTrail(std::string_view bytes) {
    return bytes.starts_with(kAuditTrailFirstLine) && bytes.size() > kAuditTrailFirstLine.size() &&
           (bytes[kAuditTrailFirstLine.size()] == '\n' || bytes[kAuditTrailFirstLine.size()] == '\r');
}

std::string composeAuditLine(const AuditEntry& entry) {
    std::string line;
    bool first = true;
    auto field = [&](std::string_view value) {
        if (!first) line.push_back('\t');
        first = false;
        appendEscaped(line, value);
    };
    for (const std::string* fixed : {&entry.time, &entry.user, &entry.command, &entry.note}) field(*fixed);
    for (const AuditChange& change : entry.changes) {
        field(change.subject);
        field(change.before);
        field(change.after);
    }
    return line;
}

std::optional<AuditEntry> parseAuditLine(std::string_view line) {
    std::vector<std::string> fields;
    for (;;) {
        const std::size_t tab = line.find('\t');
        auto field = unescape(line.substr(0, tab));
        if (!field) return std::nullopt;
        fields.push_back(std::move(*field));
        if (tab == std::string_view::npos) break;
        line.remove_prefix(tab + 1);
    }
    if (fields.size() < kFixedFields || (fields.size() - kFixedFields) % 3 != 0) return std::nullopt;
    AuditEntry entry{fields[0], fields[1], fields[2], fields[3], {}};
    for (std::size_t i = kFixedFields; i < fields.size(); i += 3) {
        entry.changes.push_back({fields[i], fields[i + 1], fields[i + 2]});
    }
    return entry;
}

Status appendAuditEntry(const std::string& path, const AuditEntry& entry) {
    if (const int fault = injectedFault(FileStep::Open, path))
        return Status::Error(describeErrno(path, fault));
    // Never through a link: one at the trail's name could lead to any file.
    const int fd =
        ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return Status::Error(describeOpenFailure(path, errno));
    struct stat info {};
    Status status = Status::Ok();
    // NOLINTNEXTLINE(bugprone-branch-clone): a failed fstat and a failed ftruncate both report errno
    if (::fstat(fd, &info) != 0) {
        status = Status::Error(describeErrno(path, errno));
    } else if (!S_ISREG(info.st_mode)) {
        status = Status::Error(path + ": not a regular file");
    } else if (info.st_nlink > 1) {
        status = Status::Error(path + " has another name (a hard link), so it is not written to.");
    } else if (Status own = checkFirstLine(fd, info.st_size, path); !own) {
        status = own;
    } else if (auto whole = endOfWholeLines(fd, info.st_size, path); !whole) {
        status = whole.status();
    } else if (*whole != info.st_size && ::ftruncate(fd, *whole) != 0) {
        status = Status::Error(describeErrno(path, errno));
    } else {
        const off_t kept = *whole;
        std::string bytes;
        if (kept == 0) bytes.append(kAuditTrailFirstLine).push_back('\n');
        bytes += composeAuditLine(entry);
        bytes.push_back('\n');
        status = writeFlushed(fd, bytes, path);
        // The trail's first entry also makes its name, which lives in the folder.
        if (status && info.st_size == 0) {
            const std::string folder = std::filesystem::path(path).parent_path().string();
            syncFolder(folder.empty() ? "." : folder);
        }
        // An entry that was not confirmed must not stand as if it had been.
        if (!status) {
            [[maybe_unused]] const int ignored = ::ftruncate(fd, kept);
        }
    }
    if (::close(fd) != 0 && status.ok()) status = Status::Error(describeErrno(path, errno));
    return status;
}

AuditTrailRead readAuditTrail(const std::string& path) {
    AuditTrailRead read;
    struct stat info {};
    // As appendAuditEntry, never through a link: one at the trail's name could lead to any file.
    if (::lstat(path.c_str(), &info) != 0 && errno == ENOENT) {
        read.message = path + " does not exist: no change has been recorded in this month's audit trail.";
        return read;
    }
    read.exists = true;
    if (S_ISLNK(info.st_mode)) {
        read.message = path + " is a link, not the month's own audit trail; it is not read.";
        return read;
    }
    if (info.st_size > static_cast<off_t>(kMaxAuditTrailBytes)) {
        read.message = path + ": " + std::to_string(info.st_size) +
                       " bytes is more than an audit trail can be; it is not read.";
        return read;
    }
    auto bytes = readWholeFile(path, kMaxAuditTrailBytes);
    if (!bytes) {
        read.message = "The audit trail could not be read: " + bytes.message();
        return read;
    }
    std::string_view rest = *bytes;
    if (rest.empty()) return read;  // made, but nothing written yet
    if (!startsAsAuditTrail(rest)) {
        read.message = path + " is damaged: its first line is not \"" + std::string(kAuditTrailFirstLine) +
                       "\", so none of it was read.";
        return read;
    }
    if (info.st_nlink > 1) {
        read.message = path +
                       " has another name (a hard link): what it shows may be another file's, so "
                       "nothing can be restored from it.";
    }
    std::size_t damaged = 0;
    std::size_t firstDamaged = 0;
    for (std::size_t number = 1; !rest.empty(); ++number) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        // A line cut short by a crash has no line end: its change was never made, and the next
        // entry takes its place, so it is no damage.
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (number == 1) continue;
        auto entry = parseAuditLine(line);
        if (entry) {
            read.entries.push_back(std::move(*entry));
        } else if (damaged++ == 0) {
            firstDamaged = number;
        }
    }
    if (damaged > 0) {
        read.message += (read.message.empty() ? "" : "\n") + path + " is damaged: line " +
                        std::to_string(firstDamaged) + " is not an audit entry" +
                        (damaged == 2  ? " (nor is 1 more line)"
                         : damaged > 2 ? " (nor are " + std::to_string(damaged - 1) + " more lines)"
                                       : "") +
                        ". The " + std::to_string(read.entries.size()) +
                        " entries that could be read are shown.";
    }
    return read;
}

}  // namespace quorvel
