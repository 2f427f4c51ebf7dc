#include "report_file.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "ledger/file_io.h"
#include "ledger/month_own_files.h"
#include "report_layout.h"

namespace quorvel {
namespace {

constexpr std::size_t kComposedWidth = 90;
constexpr const char* kLineEnd = "\r\n";

// Lines go straight onto the end of the file's text, and the texts of the line being laid
// out share one buffer: a report has a few hundred lines, and a string for each line and
// each text cost more than all the rest of the layout.
class FileOutput : public ReportOutput {
public:
    // Room for the report of the fullest month (some 500 lines), so the text is never
    // copied as it grows.
    FileOutput() { text_.reserve(std::size_t{64} * 1024); }
    std::string take() { return std::move(text_); }

    void put(int column, const std::string& text) override {
        pieces_.push_back({column, texts_.size(), text.size()});
        texts_ += text;
    }
    void endLine(LineKind kind) override {
        if (kind == LineKind::Composed) {
            appendComposedLine();
        } else {
            appendColumnLines(kind == LineKind::TableRow);
        }
        pieces_.clear();
        texts_.clear();
    }
    void blank() override {
        text_ += ' ';
        text_ += kLineEnd;
    }
    void font(int) override {}
    void bold(bool) override {}
    void newPage() override {}
    void pageCheck(long, const std::function<void()>&) override {}
    void pageHead(const std::function<void()>&) override {}

private:
    struct Piece {
        int column;
        std::size_t offset;  // in texts_
        std::size_t length;
    };

    static std::size_t startOf(const Piece& piece) {
        return static_cast<std::size_t>(std::max(piece.column, 1)) - 1;
    }

    // 90 characters; later texts overwrite earlier ones, nothing passes column 90.
    void appendComposedLine() {
        char line[kComposedWidth];
        std::memset(line, ' ', sizeof line);
        for (const Piece& piece : pieces_) {
            const std::size_t start = startOf(piece);
            if (start >= kComposedWidth) continue;
            const std::size_t width = std::min(piece.length, kComposedWidth - start);
            std::memcpy(line + start, texts_.data() + piece.offset, width);
        }
        text_.append(line, kComposedWidth);
        text_ += kLineEnd;
    }

    // As a printer lays the texts out: a text whose column the line has passed starts a new line.
    void appendColumnLines(bool spaceAfter) {
        std::size_t length = 0;  // of the line being laid out
        for (const Piece& piece : pieces_) {
            const std::size_t start = startOf(piece);
            if (length > start) {
                text_ += kLineEnd;
                length = 0;
            }
            text_.append(start - length, ' ');
            text_.append(texts_, piece.offset, piece.length);
            length = start + piece.length;
        }
        if (spaceAfter) text_ += ' ';
        text_ += kLineEnd;
    }

    std::string text_;
    std::vector<Piece> pieces_;
    std::string texts_;
};

}  // namespace

std::string reportFileText(Ledger& ledger, const ReportEntries& entries, ReportFileKind kind) {
    FileOutput out;
    layOutReport(ledger, entries,
                 kind == ReportFileKind::Annual ? ReportForm::AnnualFile : ReportForm::MonthlyFile, out);
    return out.take();
}

Status writeReportFile(const std::string& path, Ledger& ledger, const ReportEntries& entries,
                       ReportFileKind kind) {
    if (Status allowed = checkNotMonthOwnFile(path, ledger.CurrentFile); !allowed) return allowed;
    return writeFileAtomically(path, reportFileText(ledger, entries, kind));
}

}  // namespace quorvel
