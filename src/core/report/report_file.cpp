#include "report_file.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "ledger/file_io.h"
#include "report_layout.h"

namespace quorvel {
namespace {

constexpr std::size_t kComposedWidth = 90;
constexpr const char* kLineEnd = "\r\n";

struct Piece {
    int column;
    std::string text;
};

std::string composedLine(const std::vector<Piece>& pieces) {
    std::string line(kComposedWidth, ' ');
    for (const Piece& piece : pieces) {
        const std::size_t start = static_cast<std::size_t>(std::max(piece.column, 1)) - 1;
        if (start >= kComposedWidth) continue;
        const std::size_t width = std::min(piece.text.size(), kComposedWidth - start);
        line.replace(start, width, piece.text, 0, width);
    }
    return line + kLineEnd;
}

// As a printer lays the texts out: a text whose column the line has passed starts a new line.
std::string columnLines(const std::vector<Piece>& pieces, bool spaceAfter) {
    std::string lines;
    std::string line;
    for (const Piece& piece : pieces) {
        const std::size_t start = static_cast<std::size_t>(std::max(piece.column, 1)) - 1;
        if (line.size() > start) {
            lines += line + kLineEnd;
            line.clear();
        }
        line.resize(start, ' ');
        line += piece.text;
    }
    if (spaceAfter) line += ' ';
    return lines + line + kLineEnd;
}

class FileOutput : public ReportOutput {
public:
    std::string take() { return std::move(text_); }

    void put(int column, const std::string& text) override { pieces_.push_back({column, text}); }
    void endLine(LineKind kind) override {
        text_ += kind == LineKind::Composed ? composedLine(pieces_)
                                            : columnLines(pieces_, kind == LineKind::TableRow);
        pieces_.clear();
    }
    void blank() override { text_ += std::string(" ") + kLineEnd; }
    void font(int) override {}
    void bold(bool) override {}
    void newPage() override {}
    void pageCheck(long, const std::function<void()>&) override {}

private:
    std::string text_;
    std::vector<Piece> pieces_;
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
    return writeFileAtomically(path, reportFileText(ledger, entries, kind));
}

}  // namespace quorvel
