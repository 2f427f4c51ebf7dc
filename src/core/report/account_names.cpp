#include "account_names.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "ledger/file_io.h"

namespace quorvel {
namespace {

// Far more than five names; a larger file is not one of ours.
constexpr std::size_t kMaxFileBytes = std::size_t{64} * 1024;
constexpr std::size_t kShortestKept = 3;

bool endsField(char c) { return c == ',' || c == '\r' || c == '\n'; }

class FieldReader {
public:
    explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}

    std::optional<std::string> next() {
        while (pos_ < bytes_.size() && (bytes_[pos_] == ' ' || bytes_[pos_] == '\t')) ++pos_;
        if (pos_ >= bytes_.size()) return std::nullopt;
        std::string field;
        if (bytes_[pos_] == '"') {
            // One name per line: a quote still open at the line end is a damaged line.
            const std::size_t close = bytes_.find_first_of("\"\r\n", pos_ + 1);
            if (close == std::string_view::npos || bytes_[close] != '"') return std::nullopt;
            field = bytes_.substr(pos_ + 1, close - pos_ - 1);
            pos_ = close + 1;
            while (pos_ < bytes_.size() && !endsField(bytes_[pos_])) ++pos_;
        } else {
            const std::size_t start = pos_;
            while (pos_ < bytes_.size() && !endsField(bytes_[pos_])) ++pos_;
            std::string_view text = bytes_.substr(start, pos_ - start);
            while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
            field = text;
        }
        skipDelimiter();
        return field;
    }

private:
    void skipDelimiter() {
        if (pos_ >= bytes_.size()) return;
        const char c = bytes_[pos_++];
        if (c == '\r' && pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
};

Status writeInFolder(const std::string& path, const std::string& bytes) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code error;
    if (!folder.empty()) std::filesystem::create_directories(folder, error);
    if (error) return Status::Error(folder.string() + ": " + error.message());
    return writeFileAtomically(path, bytes);
}

}  // namespace

AccountNames parseAccountNames(std::string_view bytes) {
    AccountNames names;
    FieldReader reader(bytes);
    for (std::string& name : names) {
        std::optional<std::string> field = reader.next();
        if (!field) break;
        if (field->size() >= kShortestKept) name = std::move(*field);
    }
    return names;
}

AccountNames loadAccountNames(const std::string& path) {
    const Result<std::string> bytes = readWholeFile(path, kMaxFileBytes);
    return bytes ? parseAccountNames(*bytes) : AccountNames{};
}

std::string composeAccountNames(const AccountNames& names) {
    std::string bytes;
    for (const std::string& name : names) {
        if (name.size() >= kShortestKept) bytes += "\"" + name + "\"\r\n";
    }
    return bytes;
}

Status saveAccountNames(const std::string& path, const AccountNames& names) {
    return writeInFolder(path, composeAccountNames(names));
}

std::optional<ReportTitles> loadReportTitles(const std::string& path) {
    const Result<std::string> bytes = readWholeFile(path, kMaxFileBytes);
    if (!bytes) return std::nullopt;
    ReportTitles titles;
    FieldReader reader(*bytes);
    for (std::string& title : titles) {
        std::optional<std::string> field = reader.next();
        if (!field) break;
        title = std::move(*field);
    }
    return titles;
}

std::string composeReportTitles(const ReportTitles& titles) {
    std::string bytes;
    for (const std::string& title : titles) bytes += "\"" + title + "\"\r\n";
    return bytes;
}

Status saveReportTitles(const std::string& path, const ReportTitles& titles) {
    return writeInFolder(path, composeReportTitles(titles));
}

}  // namespace quorvel
