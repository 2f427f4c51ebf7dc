// A push button found by its object name in tests, which never takes Enter from a text box.
#pragma once

#include <QPushButton>
#include <QString>

namespace quorvel::ui {

QPushButton* namedButton(QWidget* parent, const char* name, const QString& caption);

}  // namespace quorvel::ui
