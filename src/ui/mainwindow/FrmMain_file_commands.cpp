// The File menu: open a month, duplicate it, roll it into the next month or year, exit.
#include <QApplication>
#include <QListWidget>

#include "AboutBox.h"
#include "FrmMain.h"
#include "ledger/month_file.h"
#include "ledger/rollover.h"
#include "ui/text_codec.h"

namespace quorvel::ui {

using platform::Answer;
using platform::Buttons;
using platform::FileDialogOptions;

namespace {

FileDialogOptions dialogOptions(const QString& title, const QString& pattern, bool overwritePrompt) {
    FileDialogOptions options;
    options.title = title;
    options.pattern = pattern;
    options.initialName = "*.rep";
    options.defaultExtension = "rep";
    options.overwritePrompt = overwritePrompt;
    return options;
}

}  // namespace

bool FrmMain::openMonth(const QString& path) {
    const Status loaded = LoadMonthFile(ledger_, journal_, toPath(path));
    if (!loaded) {
        platform_.dialogs.message("The month could not be opened.\n\n" + fromPath(loaded.message()));
        return false;
    }
    enableMonthCommands();
    ShowMenu();
    ShowStub();
    return true;
}

void FrmMain::MnuOpen_Click() {
    const QString name =
        platform_.dialogs.openFile(dialogOptions("Open previously saved report", "*.REP", false));
    if (name.contains('*')) {
        platform_.dialogs.message("Invalid file name");
        return;
    }
    openMonth(name);
}

void FrmMain::MnuSaveAS_Click() {
    // The overwrite prompt guards another month that happens to carry the chosen name.
    const QString name = platform_.dialogs.saveFile(dialogOptions("Save duplicate of report", "*.REP", true));
    if (name.contains('*')) {
        platform_.dialogs.message("Invalid file name");
        return;
    }
    if (const Status copied = copyMonth(ledger_, journal_, toPath(name)); !copied) {
        platform_.dialogs.message("The month could not be copied.\n\n" + fromPath(copied.message()));
        return;
    }
    // Work goes on in the current month.
    openMonth(fromPath(ledger_.CurrentFile));
}

void FrmMain::MnuSave_Click() { rollOverTo("Create New Month Report", false); }

void FrmMain::MnuFresh_Click() {
    if (!requireLoadedMonth()) return;
    if (platform_.dialogs.message("Use this function only to start a new year's report as it zeroes annual expenditures",
                                  Buttons::OkCancel, "Caution") != Answer::Ok) {
        return;
    }
    rollOverTo("Create Initial Fresh Year Report", true);
}

void FrmMain::rollOverTo(const QString& dialogTitle, bool freshYear) {
    // Rolling an empty (unloaded) ledger over would write an empty month.
    if (!requireLoadedMonth()) return;
    const QString name = platform_.dialogs.saveFile(dialogOptions(dialogTitle, "*.rep", true));
    if (name.contains('*')) {
        platform_.dialogs.message("- invalid file name -");
        return;
    }
    const Status rolled =
        rollOver(ledger_, journal_, toPath(name), freshYear ? RolloverKind::FreshYear : RolloverKind::NewMonth);
    if (!rolled) {
        platform_.dialogs.message("The new month was not saved.\n\n" + fromPath(rolled.message()));
        return;
    }
    setListLines({"    - data saved and unloaded -"});
}

void FrmMain::MnuExit_Click() { close(); }

void FrmMain::MnuAbout_Click() {
    auto* about = new AboutBox(this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->open();
}

}  // namespace quorvel::ui
