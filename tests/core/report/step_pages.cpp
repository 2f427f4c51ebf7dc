#include "core/report/step_pages.h"

#include <algorithm>
#include <cmath>

namespace quorvel::test {
namespace {

class SteppedPrinter {
public:
    explicit SteppedPrinter(int startY) : y_(startY) { pages.emplace_back(); }

    void run(const std::vector<PrintStep>& steps) {
        for (const PrintStep& step : steps) {
            switch (step.kind) {
                case PrintStep::Kind::Text:
                    text(step.column, step.text);
                    break;
                case PrintStep::Kind::EndLine:
                    endLine();
                    break;
                case PrintStep::Kind::Font:
                    points_ = static_cast<int>(step.value);
                    break;
                case PrintStep::Kind::Bold:
                    bold_ = step.value != 0;
                    break;
                case PrintStep::Kind::NewPage:
                    pages.emplace_back();
                    y_ = 0;
                    open_ = false;
                    break;
                case PrintStep::Kind::PageCheck:
                    if (10L * y_ > step.value) run(step.onBreak);
                    break;
                case PrintStep::Kind::PageHead:  // pages have no bottom here
                    break;
            }
        }
    }

    std::vector<SteppedPage> pages;

private:
    SteppedLine& line() {
        if (!open_) {
            pages.back().push_back(SteppedLine{{}, {}, y_});
            open_ = true;
        }
        return pages.back().back();
    }

    void text(int column, const std::string& text) {
        const std::size_t start = static_cast<std::size_t>(std::max(column, 1)) - 1;
        if (open_ && line().text.size() > start) endLine();
        SteppedLine& l = line();
        l.text.resize(std::max(l.text.size(), start), ' ');
        l.text += text;
        l.pieces.push_back(SteppedText{column, text, points_, bold_});
    }

    void endLine() {
        line();
        open_ = false;
        y_ += static_cast<int>(std::lround(points_ * 24.0));
    }

    int y_;
    int points_ = 10;
    bool bold_ = false;
    bool open_ = false;
};

}  // namespace

std::vector<SteppedPage> replaySteps(const std::vector<PrintStep>& steps, int startY) {
    SteppedPrinter printer(startY);
    printer.run(steps);
    return std::move(printer.pages);
}

std::vector<std::string> allLines(const std::vector<SteppedPage>& pages) {
    std::vector<std::string> lines;
    for (const SteppedPage& page : pages)
        for (const SteppedLine& line : page) lines.push_back(line.text);
    return lines;
}

}  // namespace quorvel::test
