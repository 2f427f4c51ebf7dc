#include "program_start.h"

#include "platform/single_instance.h"

namespace quorvel::ui {

std::unique_ptr<FrmMain> startProgram(const QStringList& arguments, platform::Platform& platform,
                                      platform::SingleInstance& instance) {
    if (!instance.acquire()) {
        platform.dialogs.message("program is already running");
        return nullptr;
    }
    auto window = std::make_unique<FrmMain>(platform);
    window->show();
    if (!arguments.isEmpty()) window->openMonth(arguments.front());
    return window;
}

}  // namespace quorvel::ui
