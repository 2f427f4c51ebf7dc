#include "program_start.h"

#include "platform/single_instance.h"

namespace quorvel::ui {

std::optional<CommandLineAnswer> answerCommandLine(const QStringList& arguments, bool qtOptionsRemoved) {
    const QString usage = QStringLiteral(
        "Usage: quorvel [MONTH.rep]\n"
        "Keeps a congregation's books: opens the desktop program, on the month file named if one is.\n"
        "\n"
        "  -h, --help     print this help and end\n"
        "      --version  print the version and end\n");
    for (const QString& argument : arguments) {
        if (argument == "--") break;  // what follows is a file name, even one starting with '-'
        if (argument == "-h" || argument == "--help") return CommandLineAnswer{usage, 0};
        if (argument == "--version")
            return CommandLineAnswer{QStringLiteral("quorvel " QUORVEL_VERSION "\n"), 0};
        if (qtOptionsRemoved && argument.startsWith('-') && argument != "--quit-after-start")
            return CommandLineAnswer{"quorvel: unknown option " + argument + "\n" + usage, 2};
    }
    return std::nullopt;
}

std::unique_ptr<FrmMain> startProgram(const QStringList& arguments, platform::Platform& platform,
                                      platform::SingleInstance& instance) {
    if (!instance.acquire()) {
        // A lock that cannot be taken at all is no sign of another copy: say why instead.
        platform.dialogs.message(instance.error().isEmpty()
                                     ? QStringLiteral("program is already running")
                                     : "The program cannot make sure it runs only once, so it stops.\n\n" +
                                           instance.error());
        return nullptr;
    }
    auto window = std::make_unique<FrmMain>(platform);
    window->show();
    QStringList months = arguments;
    months.removeAll("--");
    if (!months.isEmpty()) window->openMonth(months.front());
    return window;
}

}  // namespace quorvel::ui
