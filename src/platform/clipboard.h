// The clipboard, plain text only.
#pragma once

#include <QString>

namespace quorvel::platform {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Replaces whatever the clipboard held with `text`.
    virtual void setText(const QString& text) = 0;
};

}  // namespace quorvel::platform
