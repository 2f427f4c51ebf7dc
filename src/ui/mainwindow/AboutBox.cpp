#include "AboutBox.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace quorvel::ui {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("FrmAbout");
    setWindowTitle("About Quorvel Program");
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel("Quorvel Program", this);
    title->setObjectName("LblTitle");
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    title->setFont(big);
    auto* version = new QLabel("Version " QUORVEL_VERSION, this);
    version->setObjectName("LblVersion");
    auto* notice = new QLabel(
        "Bookkeeping for the treasurer of a congregation: budget accounts, designated funds, "
        "deposits and the monthly treasurer's report.\n\nEvery action is written to disk the moment it is "
        "recorded.",
        this);
    notice->setObjectName("LblNotice");
    notice->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setObjectName("CmdOK");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    for (QWidget* w : {static_cast<QWidget*>(title), static_cast<QWidget*>(version),
                       static_cast<QWidget*>(notice), static_cast<QWidget*>(buttons)}) {
        layout->addWidget(w);
    }
    setMinimumWidth(360);
}

}  // namespace quorvel::ui
