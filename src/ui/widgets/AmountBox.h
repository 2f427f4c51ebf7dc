// The text box that holds an amount, read by the one rule for typed amounts
// (ledger/typed_amount.h). When it loses the focus a text that reads as an amount is shown
// as "0.00", the amount that will be recorded; any other text stays as typed, to be refused
// with a message when it is used. Coming back into the box selects its text, so typing
// replaces the "0.00" instead of adding to it.
#pragma once

#include <QLineEdit>
#include <functional>

#include "ledger/money.h"
#include "ledger/status.h"

namespace quorvel::ui {

class AmountBox : public QLineEdit {
    Q_OBJECT

public:
    // `boxName` is what messages call the box ("Amount of Deposit").
    AmountBox(const QString& boxName, QWidget* parent = nullptr);

    // The lost-focus reformatting; handlers use amount(), which runs it first.
    void reformat();
    // Extra steps a window adds after the reformatting (run by reformat()).
    std::function<void()> afterReformat;
    // The amount the box holds, shown as "0.00", or why it holds none (the text stays).
    Result<Money> amount();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    Result<Money> read() const;

    QString boxName_;
};

}  // namespace quorvel::ui
