#include "setup_commands.h"

#include "FrmNew.h"

namespace quorvel::ui {

void MnuNew_Click(FrmMain& main) {
    auto* form = new FrmNew(main);
    if (!form->Form_Load()) {
        delete form;
        return;
    }
    form->start();
}

}  // namespace quorvel::ui
