#include "AmountBox.h"

#include <QTimer>

#include "ledger/typed_amount.h"

namespace quorvel::ui {

AmountBox::AmountBox(const QString& boxName, QWidget* parent) : QLineEdit(parent), boxName_(boxName) {}

Result<Money> AmountBox::read() const {
    return readTypedAmount(text().toStdString(), boxName_.toStdString());
}

void AmountBox::reformat() {
    if (const auto typed = read()) setText(QString::fromStdString(typed->format00()));
    if (afterReformat) afterReformat();
}

Result<Money> AmountBox::amount() {
    reformat();
    return read();
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
