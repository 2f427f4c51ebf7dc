#include "print_steps.h"

#include <utility>

#include "report_layout.h"

namespace quorvel {
namespace {

class StepOutput : public ReportOutput {
public:
    StepOutput() = default;
    StepOutput(const StepOutput&) = delete;
    StepOutput& operator=(const StepOutput&) = delete;

    std::vector<PrintStep> take() { return std::move(steps_); }

    void put(int column, const std::string& text) override { add(PrintStep::textAt(column, text)); }
    void endLine(LineKind) override { add(PrintStep::endLine()); }
    void blank() override { add(PrintStep::endLine()); }
    void font(int points) override { add(PrintStep::font(points)); }
    void bold(bool on) override { add(PrintStep::bold(on)); }
    void newPage() override { add(PrintStep::newPage()); }

    void pageCheck(long overTenthsOfTwips, const std::function<void()>& onBreak) override {
        nested(PrintStep::pageCheck(overTenthsOfTwips, {}), onBreak);
    }
    void pageHead(const std::function<void()>& heading) override { nested(PrintStep::pageHead({}), heading); }

private:
    // `step` holds the steps that `inner` makes.
    void nested(PrintStep step, const std::function<void()>& inner) {
        add(std::move(step));
        std::vector<PrintStep>* const outer = target_;
        target_ = &outer->back().onBreak;
        if (inner) inner();
        target_ = outer;
    }

    void add(PrintStep step) { target_->push_back(std::move(step)); }

    std::vector<PrintStep> steps_;
    std::vector<PrintStep>* target_ = &steps_;
};

PrintStep make(PrintStep::Kind kind) {
    PrintStep step;
    step.kind = kind;
    return step;
}

}  // namespace

PrintStep PrintStep::textAt(int column, std::string text) {
    PrintStep step = make(Kind::Text);
    step.column = column;
    step.text = std::move(text);
    return step;
}

PrintStep PrintStep::endLine() { return make(Kind::EndLine); }

PrintStep PrintStep::font(int points) {
    PrintStep step = make(Kind::Font);
    step.value = points;
    return step;
}

PrintStep PrintStep::bold(bool on) {
    PrintStep step = make(Kind::Bold);
    step.value = on ? 1 : 0;
    return step;
}

PrintStep PrintStep::newPage() { return make(Kind::NewPage); }

PrintStep PrintStep::pageCheck(long overTenthsOfTwips, std::vector<PrintStep> onBreak) {
    PrintStep step = make(Kind::PageCheck);
    step.value = overTenthsOfTwips;
    step.onBreak = std::move(onBreak);
    return step;
}

PrintStep PrintStep::pageHead(std::vector<PrintStep> heading) {
    PrintStep step = make(Kind::PageHead);
    step.onBreak = std::move(heading);
    return step;
}

std::vector<PrintStep> printedReport(Ledger& ledger, const ReportEntries& entries) {
    StepOutput out;
    layOutReport(ledger, entries, ReportForm::Printed, out);
    return out.take();
}

}  // namespace quorvel
