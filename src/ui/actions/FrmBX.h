// A payment charged to a budget account.
#pragma once

#include "EntryWindow.h"

namespace quorvel::ui {

class FrmBX : public EntryWindow {
    Q_OBJECT

public:
    FrmBX(FrmMain& main, int row);

protected:
    bool record(Money amount) override;

private:
    int row_;
};

}  // namespace quorvel::ui
