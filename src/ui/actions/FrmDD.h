// Part of the deposited money given to a designated fund.
#pragma once

#include "EntryWindow.h"

namespace quorvel::ui {

class FrmDD : public EntryWindow {
    Q_OBJECT

public:
    FrmDD(FrmMain& main, int row);

protected:
    bool record(Money amount) override;

private:
    int row_;
};

}  // namespace quorvel::ui
