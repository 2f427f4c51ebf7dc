#include "testkit/test_platform.h"

#include <gtest/gtest.h>

namespace quorvel::testkit {

TestPlatform::TestPlatform() : platform{dialogs, clipboard, [this] { return makePrinter(); }} {}

std::unique_ptr<platform::Printer> TestPlatform::makePrinter() {
    auto document = std::make_shared<PrintedDocument>();
    jobs_.push_back(document);
    auto printer = std::make_unique<RecordingPrinter>(std::move(document));
    printer->setFailOnBegin(failOnBegin_);
    printer->setFailOnEnd(failOnEnd_);
    return printer;
}

const PrintedDocument& TestPlatform::onlyPrintJob() const {
    static const PrintedDocument none;
    if (jobs_.size() != 1) {
        ADD_FAILURE() << "expected one print job, the program made " << jobs_.size();
        return jobs_.empty() ? none : *jobs_.back();
    }
    return *jobs_.front();
}

}  // namespace quorvel::testkit
