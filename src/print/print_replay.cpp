#include "print_replay.h"

#include <algorithm>

#include "print/paged_printer.h"
#include "print/text_codec.h"
#include "report/report_layout.h"

namespace quorvel::print {
namespace {

class Replay {
public:
    explicit Replay(platform::Printer& printer) : paged_(printer) {}

    void run(const std::vector<PrintStep>& steps) {
        for (const PrintStep& step : steps) {
            switch (step.kind) {
                case PrintStep::Kind::Text:
                    paged_.printAt(step.column, fromCp1252(step.text));
                    break;
                case PrintStep::Kind::EndLine:
                    paged_.endLine();
                    break;
                case PrintStep::Kind::Font:
                    setFont(static_cast<double>(step.value));
                    break;
                case PrintStep::Kind::Bold:
                    setBold(step.value != 0);
                    break;
                case PrintStep::Kind::NewPage:
                    paged_.newPage();
                    break;
                case PrintStep::Kind::PageCheck:
                    if (10L * paged_.currentY() > step.value) run(step.onBreak);
                    break;
                case PrintStep::Kind::PageHead:
                    setPageHead(step.onBreak);
                    break;
            }
        }
    }

private:
    void setFont(double points) {
        points_ = points;
        paged_.setFont(QString::fromLatin1(kReportFontFamily), points);
    }
    void setBold(bool bold) {
        bold_ = bold;
        paged_.setBold(bold);
    }

    // The head leaves the font and bold as the line it comes before had them.
    void setPageHead(const std::vector<PrintStep>& head) {
        if (head.empty()) {
            paged_.setPageHead({});
            return;
        }
        paged_.setPageHead([this, &head] {
            const double points = points_;
            const bool bold = bold_;
            run(head);
            setFont(points);
            setBold(bold);
        });
    }

    PagedPrinter paged_;
    double points_ = kBodyPoints;
    bool bold_ = false;
};

// The widest line in columns of the body's size: the layout's widest, or a longer text (a
// title not typed into the window) that would otherwise run off the paper.
int widestColumns(const std::vector<PrintStep>& steps, long& points) {
    int widest = kPrintedColumns;
    for (const PrintStep& step : steps) {
        if (step.kind == PrintStep::Kind::Font) points = step.value;
        if (step.kind == PrintStep::Kind::Text) {
            const auto end = static_cast<long>(std::max(step.column, 1) - 1 + step.text.size());
            widest = std::max(widest, static_cast<int>((end * points + kBodyPoints - 1) / kBodyPoints));
        }
        widest = std::max(widest, widestColumns(step.onBreak, points));
    }
    return widest;
}

}  // namespace

void replaySteps(const std::vector<PrintStep>& steps, platform::Printer& printer) {
    long points = kBodyPoints;
    printer.fitWidth(widestColumns(steps, points), kBodyPoints);
    Replay(printer).run(steps);
}

QString printJob(const std::vector<PrintStep>& steps, platform::Printer& printer, bool twoSided,
                 const std::vector<platform::PagePainter>& lastPages) {
    // The duplex mode belongs to the job, so it is set before the job starts.
    printer.setDuplex(twoSided);
    if (QString error = printer.begin(); !error.isEmpty()) return error;
    replaySteps(steps, printer);
    for (const platform::PagePainter& page : lastPages) printer.drawPage(page);
    return printer.end();
}

}  // namespace quorvel::print
