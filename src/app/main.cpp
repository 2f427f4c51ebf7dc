#include <QApplication>

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
    quorvel::platform::Platform platform{dialogs, clipboard,
                                         [] { return quorvel::platform::QtPrinter::defaultPrinter(); }};
    quorvel::platform::SingleInstance instance;

    const auto window = quorvel::ui::startProgram(QApplication::arguments().mid(1), platform, instance);
    if (!window) return 0;
    return QApplication::exec();
}
