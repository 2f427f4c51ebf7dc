// Start-up of the desktop program: one copy per user, then the main window, then the month
// named on the command line (a double-clicked month file) if there is one.
#pragma once

#include <QStringList>
#include <memory>
#include <optional>

#include "FrmMain.h"
#include "platform/platform.h"

namespace quorvel::platform {
class SingleInstance;
}

namespace quorvel::ui {

// What the command line asks of the program before any window: the text to print (usage,
// version, or the complaint about an unknown option followed by the usage) and the exit
// status. Nothing when the program is to start, on the month named if one is.
struct CommandLineAnswer {
    QString text;
    int status = 0;
};
// Before the application has taken out its own options (-platform, -style, -session, ...),
// `qtOptionsRemoved` is false and unknown options are left for it.
std::optional<CommandLineAnswer> answerCommandLine(const QStringList& arguments,
                                                   bool qtOptionsRemoved = true);

// Returns the shown main window, or nothing when another copy is already running or the
// one-copy lock cannot be taken (after saying which, and why). A month file in `arguments`
// that cannot be opened is reported and the program starts with no month loaded.
std::unique_ptr<FrmMain> startProgram(const QStringList& arguments, platform::Platform& platform,
                                      platform::SingleInstance& instance);

}  // namespace quorvel::ui
