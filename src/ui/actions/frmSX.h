// Income noted from a deposit source.
#pragma once

#include "EntryWindow.h"

namespace quorvel::ui {

class frmSX : public EntryWindow {
    Q_OBJECT

public:
    frmSX(FrmMain& main, int row);

protected:
    bool record(Money amount) override;

private:
    int row_;
};

}  // namespace quorvel::ui
