// The File menu's "Print": the report window.
#pragma once

#include <QString>

namespace quorvel::ui {

class FrmMain;

// Hides the main window and opens the report window over the loaded month (or an empty one).
void MnuPrint_Click(FrmMain& main);

// accounts.dat in the user's configuration folder for this program.
QString accountNamesPath();

}  // namespace quorvel::ui
