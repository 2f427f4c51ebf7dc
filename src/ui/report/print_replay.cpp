#include "print_replay.h"

#include "ui/text_codec.h"

namespace quorvel::ui {

void replaySteps(const std::vector<PrintStep>& steps, platform::Printer& printer) {
    for (const PrintStep& step : steps) {
        switch (step.kind) {
            case PrintStep::Kind::Text:
                printer.printAt(step.column, fromCp1252(step.text));
                break;
            case PrintStep::Kind::EndLine:
                printer.endLine();
                break;
            case PrintStep::Kind::Font:
                printer.setFont(QString::fromLatin1(kReportFontFamily), static_cast<double>(step.value));
                break;
            case PrintStep::Kind::Bold:
                printer.setBold(step.value != 0);
                break;
            case PrintStep::Kind::NewPage:
                printer.newPage();
                break;
            case PrintStep::Kind::PageCheck:
                if (10L * printer.currentY() > step.value) replaySteps(step.onBreak, printer);
                break;
        }
    }
}

QString printJob(const std::vector<PrintStep>& steps, platform::Printer& printer, bool twoSided) {
    // The duplex mode belongs to the job, so it is set before the job starts.
    printer.setDuplex(twoSided);
    if (QString error = printer.begin(); !error.isEmpty()) return error;
    replaySteps(steps, printer);
    return printer.end();
}

}  // namespace quorvel::ui
