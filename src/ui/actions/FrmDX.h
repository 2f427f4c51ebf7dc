// A payment out of a designated fund; a fund is never overdrawn.
#pragma once

#include "EntryWindow.h"

namespace quorvel::ui {

class FrmDX : public EntryWindow {
    Q_OBJECT

public:
    FrmDX(FrmMain& main, int row);

protected:
    bool record(Money amount) override;

private:
    int row_;
};

}  // namespace quorvel::ui
