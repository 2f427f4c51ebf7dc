// The File menu: open a month, duplicate it, roll it into the next month or year, exit.
#include <QApplication>
#include <QFileInfo>
#include <QListWidget>
#include <filesystem>

#include "AboutBox.h"
#include "FrmMain.h"

#include "ledger/audit_trail.h"
#include "ledger/month_file.h"
#include "ledger/month_names.h"
#include "ledger/month_paths.h"
#include "ledger/rollover.h"
#include "print/text_codec.h"
#include "user_settings.h"

namespace quorvel::ui {

using platform::Answer;
using platform::Buttons;
using platform::FileDialogOptions;

namespace {

// "in use by anna on host vestry since ...", for the messages about a month another copy holds.
QString inUseBy(const LockHolder& holder, const std::string& month) {
    if (!holder.known) {
        return "in use by an unknown user: its lock file " + fromPath(MonthLock::lockPathFor(month)) +
               " cannot be read. If nobody has the month open, delete that file and open the month again";
    }
    return "in use by " + fromPath(holder.user) + " on host " + fromPath(holder.host) + " since " +
           fromPath(holder.since);
}

QString fileName(const std::string& path) { return QFileInfo(fromPath(path)).fileName(); }

// The month after `current`, beside it: ".../DEC2026.rep" gives ".../JAN2027.rep".
std::optional<NextMonth> monthAfter(const std::string& current) {
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(current, error);
    if (error) path = current;
    std::optional<NextMonth> next = nextMonthName(path.filename().string());
    if (next) next->name = (path.parent_path() / next->name).string();
    return next;
}

}  // namespace

FileDialogOptions FrmMain::monthDialog(const QString& title, const QString& pattern,
                                       bool overwritePrompt) const {
    FileDialogOptions options;
    options.title = title;
    options.pattern = pattern;
    // A new month belongs beside the month it follows.
    const QString month = fromPath(ledger_.CurrentFile);
    options.initialName = month.isEmpty() ? "*.rep" : QFileInfo(month).absolutePath() + "/*.rep";
    options.defaultExtension = "rep";
    options.overwritePrompt = overwritePrompt;
    return options;
}

bool FrmMain::openMonth(const QString& path, MonthLock reserved) {
    // A link is followed here, once: from now on the month is its real file.
    const std::string file = realMonthPath(toPath(path));
    // The month open now, opened again (or reloaded after Save As), keeps its lock.
    const bool reopening = monthLock_.held() && journal_.isOpen() && sameFile(file, ledger_.CurrentFile);
    MonthLock lock = std::move(reserved);
    if (!reopening && !lock.held()) {
        const LockAttempt attempt = lock.acquire(file);
        const Status writable = lock.held() ? checkMonthWritable(file) : Status::Ok();
        QString why;
        if (!writable) {
            lock.release();
            why = fileName(file) + " cannot be opened for changes (" + fromPath(writable.message()) + ").";
        } else if (attempt.state == LockState::HeldByOther) {
            // A lock from another computer is never judged here: its holder and time let the
            // treasurer judge.
            why = fileName(file) + " is " + inUseBy(attempt.holder, file) + ".";
        } else if (attempt.state == LockState::FolderReadOnly) {
            why = fileName(file) + " cannot be locked for changes: its folder is read-only (" +
                  fromPath(attempt.message) + ").";
        } else if (attempt.state == LockState::Failed && QFileInfo::exists(path)) {
            // Viewing writes nothing, so a lock that cannot be taken never keeps a month from view;
            // a month that is not there is left to the load's message.
            why = fileName(file) + " cannot be locked for changes (" + fromPath(attempt.message) + ").";
        }
        if (!why.isEmpty()) {
            const QString question = why + "\n\nOpen it read-only, for viewing and printing?";
            if (platform_.dialogs.message(question, Buttons::YesNo) != Answer::Yes) return false;
        }
    }
    const bool lockHeld = reopening || lock.held();
    // Read-only, nothing is created or written: not even a missing journal.
    const Status loaded =
        LoadMonthFile(ledger_, journal_, file, lockHeld ? JournalMode::ReadWrite : JournalMode::ReadOnly);
    if (!loaded) {
        platform_.dialogs.message("The month could not be opened.\n\n" + fromPath(loaded.message()));
        return false;  // the new lock goes; the month open before keeps its own
    }
    const bool damaged = journal_.damagedRecord() != 0;
    if (!reopening) monthLock_ = damaged ? MonthLock() : std::move(lock);
    readOnly_ = !lockHeld || damaged;
    monthOpen_ = true;
    enableMonthCommands();
    ShowMenu();
    ShowStub();
    showTitle();
    rememberRecentMonth(path);
    fillRecentMenu();
    if (damaged) {
        platform_.dialogs.message(fromPath(journal_.damageMessage()) +
                                  "\n\nThe month is open read-only, for viewing and printing.");
    } else if (!reopening) {
        // A month without changes yet has no trail, which is no news; one that cannot be read is.
        const AuditTrailRead trail = readAuditTrail(locateAuditTrail(file));
        if (trail.exists && !trail.message.empty()) {
            platform_.dialogs.message(
                fromPath(trail.message) +
                "\n\nThe month is open as usual: its figures never depend on its audit trail.");
        }
    }
    return true;
}

bool FrmMain::reserveNewMonth(const QString& path, MonthLock& reserved) {
    const std::string file = toPath(path);
    // The open month is ours already, or refused by the command as the month open now (or as
    // a name that would share its journal).
    if (journal_.isOpen() && (sameFile(file, ledger_.CurrentFile) ||
                              (monthLock_.held() && MonthLock::lockPathFor(file) == monthLock_.lockPath()))) {
        return true;
    }
    const LockAttempt attempt = reserved.acquire(file);
    // Where no lock can be made, the month cannot be written either; the command says why.
    if (attempt.state != LockState::HeldByOther) return true;
    platform_.dialogs.message(fileName(file) + " is " + inUseBy(attempt.holder, file) +
                              ".\n\nIt cannot be replaced while it is open there. Choose another name.");
    return false;
}

void FrmMain::closeMonth() {
    journal_.close();
    monthLock_.release();
    monthOpen_ = false;
    if (readOnly_) {
        readOnly_ = false;
        enableMonthCommands();
    }
    showTitle();
}

void FrmMain::MnuOpen_Click() {
    const QString name =
        platform_.dialogs.openFile(monthDialog("Open previously saved report", "*.REP", false));
    if (name.contains('*')) {
        platform_.dialogs.message("Invalid file name");
        return;
    }
    openMonth(name);
}

void FrmMain::MnuSaveAS_Click() {
    // The overwrite prompt guards another month that happens to carry the chosen name.
    const QString name = platform_.dialogs.saveFile(monthDialog("Save duplicate of report", "*.REP", true));
    if (name.contains('*')) {
        platform_.dialogs.message("Invalid file name");
        return;
    }
    MonthLock copyLock;
    if (!reserveNewMonth(name, copyLock)) return;
    if (const Status copied = copyMonth(ledger_, journal_, toPath(name)); !copied) {
        platform_.dialogs.message((copied.tookEffect() ? QString() : "The month could not be copied.\n\n") +
                                  fromPath(copied.message()));
        if (!copied.tookEffect()) return;
    }
    // Work goes on in the current month, which keeps its lock (and, read-only, its mode).
    if (readOnly_) {
        const std::string current = ledger_.CurrentFile;
        if (const Status loaded = LoadMonthFile(ledger_, journal_, current, JournalMode::ReadOnly); !loaded) {
            platform_.dialogs.message("The month could not be opened.\n\n" + fromPath(loaded.message()));
        }
        ShowStub();
        return;
    }
    openMonth(fromPath(ledger_.CurrentFile));
}

void FrmMain::MnuSave_Click() {
    if (!requireLoadedMonth()) return;
    // December's spending carried into January is the usual mistake at the turn of the year.
    const auto next = monthAfter(ledger_.CurrentFile);
    if (next && next->startsYear &&
        platform_.dialogs.message(
            fileName(next->name) +
                " starts a new year. Start New Month carries this year's spending on into it; "
                "Save As Fresh Year starts every budget account afresh.\n\n"
                "Start the new year with Save As Fresh Year instead?",
            Buttons::YesNo) == Answer::Yes) {
        rollOverTo("Create Initial Fresh Year Report", true);
        return;
    }
    rollOverTo("Create New Month Report", false);
}

void FrmMain::MnuFresh_Click() {
    if (!requireLoadedMonth()) return;
    if (platform_.dialogs.message(
            "Use this function only to start a new year's report as it zeroes annual expenditures",
            Buttons::OkCancel, "Caution") != Answer::Ok) {
        return;
    }
    rollOverTo("Create Initial Fresh Year Report", true);
}

void FrmMain::rollOverTo(const QString& dialogTitle, bool freshYear) {
    // Rolling an empty (unloaded) ledger over would write an empty month.
    if (!requireLoadedMonth()) return;
    FileDialogOptions options = monthDialog(dialogTitle, "*.rep", true);
    if (const auto next = monthAfter(ledger_.CurrentFile)) options.suggestedName = fromPath(next->name);
    const QString name = platform_.dialogs.saveFile(options);
    if (name.contains('*')) {
        platform_.dialogs.message("- invalid file name -");
        return;
    }
    MonthLock newMonthLock;
    if (!reserveNewMonth(name, newMonthLock)) return;
    const Status rolled = rollOver(ledger_, journal_, toPath(name),
                                   freshYear ? RolloverKind::FreshYear : RolloverKind::NewMonth);
    if (!rolled && !rolled.tookEffect()) {
        platform_.dialogs.message("The new month was not saved.\n\n" + fromPath(rolled.message()));
        return;
    }
    if (!rolled) platform_.dialogs.message(fromPath(rolled.message()));
    // Neither month is open now; the new one is opened (and locked) like any other.
    closeMonth();
    setListLines({"    - data saved and unloaded -"});
    // Only a whole new month is offered; the message above said what became of a half one.
    if (rolled && platform_.dialogs.message(QFileInfo(name).fileName() + " is saved. Open it now?",
                                            Buttons::YesNo) == Answer::Yes) {
        openMonth(name, std::move(newMonthLock));
    }
}

void FrmMain::MnuExit_Click() { close(); }

void FrmMain::MnuAbout_Click() {
    auto* about = new AboutBox(this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->open();
}

}  // namespace quorvel::ui
