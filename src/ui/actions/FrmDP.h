// A bank deposit of the month.
#pragma once

#include "EntryWindow.h"

namespace quorvel::ui {

class FrmDP : public EntryWindow {
    Q_OBJECT

public:
    explicit FrmDP(FrmMain& main);

protected:
    bool record(Money amount) override;
};

}  // namespace quorvel::ui
