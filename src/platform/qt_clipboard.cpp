#include "platform/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace quorvel::platform {

void QtClipboard::setText(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    // Clearing first drops any other formats a previous owner offered alongside its text.
    clipboard->clear();
    clipboard->setText(text);
}

}  // namespace quorvel::platform
