#include <QApplication>
#include <QTimer>

#include "platform/qt_clipboard.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_printer.h"
#include "platform/single_instance.h"
#include "ui/mainwindow/program_start.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("quorvel");
    QApplication::setApplicationDisplayName("Quorvel Program");
    QApplication::setApplicationVersion(QUORVEL_VERSION);

    quorvel::platform::QtDialogs dialogs(nullptr);
    quorvel::platform::QtClipboard clipboard;
    quorvel::platform::Platform platform{
        dialogs, clipboard, [] { return quorvel::platform::QtPrinter::defaultPrinter(); },
        [](const QString& path) { return quorvel::platform::QtPrinter::pdfFile(path); }};
    quorvel::platform::SingleInstance instance;

    QStringList arguments = QApplication::arguments().mid(1);
    // For timing the start-up as a whole process: quit as soon as the first screen is drawn.
    // Further month files are opened one after another first, each drawn, for measuring the
    // memory of a session that goes through many months.
    const bool quitAfterStart = arguments.removeAll("--quit-after-start") > 0;

    const auto window = quorvel::ui::startProgram(arguments, platform, instance);
    if (!window) return 0;
    if (quitAfterStart) {
        for (qsizetype i = 1; i < arguments.size(); ++i) {
            QApplication::processEvents();
            window->openMonth(arguments[i]);
        }
        QTimer::singleShot(0, &app, &QApplication::quit);
    }
    return QApplication::exec();
}
