#include "AmountBox.h"

#include <QTimer>

#include "ledger/money.h"
#include "ledger/numeric_text.h"

namespace quorvel::ui {

AmountBox::AmountBox(Variant variant, QWidget* parent) : QLineEdit(parent), variant_(variant) {}

void AmountBox::reformat() {
    const std::string typed = text().toStdString();
    if (variant_ == Variant::Numeric || readsAsNumber(typed)) {
        setText(QString::fromStdString(Money::fromText(typed).format00()));
    }
    if (afterReformat) afterReformat();
}

void AmountBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // After the click that placed the cursor, so the selection stays.
    QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

void AmountBox::focusOutEvent(QFocusEvent* event) {
    reformat();
    QLineEdit::focusOutEvent(event);
}

}  // namespace quorvel::ui
