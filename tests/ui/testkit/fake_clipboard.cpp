#include "testkit/fake_clipboard.h"

namespace quorvel::testkit {

void FakeClipboard::setText(const QString& text) {
    text_ = text;
    ++timesSet_;
}

}  // namespace quorvel::testkit
