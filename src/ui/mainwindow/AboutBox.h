// Help, About: the program's title, version and notice, closed by its one button.
#pragma once

#include <QDialog>

namespace quorvel::ui {

class AboutBox : public QDialog {
    Q_OBJECT

public:
    explicit AboutBox(QWidget* parent = nullptr);
};

}  // namespace quorvel::ui
