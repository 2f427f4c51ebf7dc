#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <cstdio>

#include "platform/qt_clipboard.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_printer.h"
#include "platform/single_instance.h"
#include "ui/mainwindow/program_start.h"

int main(int argc, char** argv) {
    // Help and version need no display: answered before the application connects to one.
    QStringList given;
    for (int i = 1; i < argc; ++i) given << QString::fromLocal8Bit(argv[i]);
    const auto answered = [](const quorvel::ui::CommandLineAnswer& answer) {
        std::fputs(answer.text.toLocal8Bit().constData(), answer.status == 0 ? stdout : stderr);
        return answer.status;
    };
    if (const auto answer = quorvel::ui::answerCommandLine(given, false)) return answered(*answer);

    QApplication app(argc, argv);
    QApplication::setApplicationName("quorvel");
    // Qt adds it to every window title that does not end with it already.
    QApplication::setApplicationDisplayName("Quorvel");
    // Desktops match the windows to the installed desktop entry and its icon by this name.
    QApplication::setDesktopFileName("org.quorvel.Quorvel");
    QIcon icon;
    for (const char* size : {"64", "256"})
        icon.addFile(QString(":/icons/org.quorvel.Quorvel-%1.png").arg(size));
    QApplication::setWindowIcon(icon);
    QApplication::setApplicationVersion(QUORVEL_VERSION);

    quorvel::platform::QtDialogs dialogs(nullptr);
    quorvel::platform::QtClipboard clipboard;
    quorvel::platform::Platform platform{dialogs,
                                         clipboard,
                                         [] { return quorvel::platform::QtPrinter::defaultPrinter(); },
                                         [](const QString& path, const QPageSize& paper) {
                                             return quorvel::platform::QtPrinter::pdfFile(path, paper);
                                         },
                                         [](const quorvel::platform::PrinterChoice& choice) {
                                             return quorvel::platform::QtPrinter::chosenPrinter(choice);
                                         },
                                         [] { return quorvel::platform::QtPrinter::printerNames(); },
                                         [](const quorvel::platform::PrinterChoice& choice) {
                                             return quorvel::platform::QtPrinter::takesPaper(choice);
                                         }};
    quorvel::platform::SingleInstance instance;

    QStringList arguments = QApplication::arguments().mid(1);
    if (const auto answer = quorvel::ui::answerCommandLine(arguments)) return answered(*answer);
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
