// The small window in which one action is typed: an amount box, a reference box, a button
// that records and one that cancels.
#pragma once

#include "ui/widgets/AmountBox.h"
#include "ui/widgets/ChildWindow.h"

class QLabel;
class QVBoxLayout;
class QPushButton;

namespace quorvel::ui {

struct EntryLayout {
    const char* name;  // the window's given name
    QString caption;
    QString amountLabel;
    QString referenceLabel;
    const char* recordName;  // the record button's given name and caption
    QString recordCaption;
    const char* cancelName;
    const char* amountLabelName = "Label1";
    const char* referenceLabelName = "Label2";
};

class EntryWindow : public ChildWindow {
    Q_OBJECT

public:
    EntryWindow(FrmMain& main, const EntryLayout& layout);

    // Hides the main window and shows this one, the focus in the amount box.
    void start();

    AmountBox* TxtAmount = nullptr;
    QLineEdit* TxtRef = nullptr;
    QLabel* amountLabel = nullptr;
    QLabel* referenceLabel = nullptr;
    QPushButton* recordButton = nullptr;
    QPushButton* cancelButton = nullptr;

protected:
    // Records `amount`, read from the amount box; the window stays open when it returns false
    // (the reason was shown).
    virtual bool record(Money amount) = 0;
    // The reference as the file's code page holds it; nothing (after a message) when it cannot.
    std::optional<std::string> reference();

    // Lines above the entry rows (the transfer's "from" and "to").
    QVBoxLayout* headerLines = nullptr;

private:
    void recordClicked();
};

}  // namespace quorvel::ui
