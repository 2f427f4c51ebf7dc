// The text box that holds an amount. When it loses the focus it shows its amount as "0.00":
// the numeric variant always (text without a leading number becomes 0.00), the text variant
// only when the text reads as a number (anything else stays as typed). Coming back into the
// box selects its text, so typing replaces the "0.00" instead of adding to it.
#pragma once

#include <QLineEdit>
#include <functional>

namespace quorvel::ui {

class AmountBox : public QLineEdit {
    Q_OBJECT

public:
    enum class Variant { Numeric, Text };

    AmountBox(Variant variant, QWidget* parent = nullptr);

    // The lost-focus reformatting; recording handlers call it first, so a record holds what
    // the box shows even when Enter was pressed without leaving the box.
    void reformat();
    // Extra steps a window adds after the reformatting (run by reformat()).
    std::function<void()> afterReformat;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    Variant variant_;
};

}  // namespace quorvel::ui
