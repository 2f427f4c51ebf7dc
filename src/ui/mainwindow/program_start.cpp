#include "program_start.h"

#include "platform/single_instance.h"

namespace quorvel::ui {

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
    if (!arguments.isEmpty()) window->openMonth(arguments.front());
    return window;
}

}  // namespace quorvel::ui
