// The system clipboard through Qt.
#pragma once

#include "platform/clipboard.h"

namespace quorvel::platform {

class QtClipboard : public Clipboard {
public:
    void setText(const QString& text) override;
};

}  // namespace quorvel::platform
