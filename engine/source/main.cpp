#include "core.h"
#include "messagingsystem.h"
#include "platform/window.h"

#include <iostream>
#include <memory>
#include <span>

int main(int argc, char* argv[])
{
    platform::Window window("Nektaru", 1280, 800);
    if (!window.IsOpen())
    {
        std::cerr << "Can't create the window: " << window.Error() << "\n";
        return 1;
    }
    Core core(window);
    core.SetTitlePrefix("Nektaru");
    core.SetTargetFrameRate(Core::kDefaultFrameRate);
    core.SetEditorMode(EditorModeRequested(std::span<const char* const>(argv, static_cast<std::size_t>(argc))));
    auto messaging = std::make_unique<MessagingSystem>(core.MessageReceivers());
    core.Init();
    core.Run();
    // Nothing may be delivered to systems that are going away.
    messaging.reset();
    return 0;
}
