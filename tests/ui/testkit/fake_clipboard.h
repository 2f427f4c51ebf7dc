// A clipboard that keeps what was copied.
#pragma once

#include "platform/clipboard.h"

namespace quorvel::testkit {

class FakeClipboard : public platform::Clipboard {
public:
    void setText(const QString& text) override;

    QString text() const { return text_; }
    int timesSet() const { return timesSet_; }

private:
    QString text_;
    int timesSet_ = 0;
};

}  // namespace quorvel::testkit
