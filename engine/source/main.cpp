#include "core.h"
#include "helpers.h"
#include "modelimport.h"
#include "platform/childprocess.h"
#include "program.h"

#include <optional>
#include <span>

int main(int argc, char* argv[])
{
    const std::span<const char* const> arguments(argv, static_cast<std::size_t>(argc));
    // A child reading one model file for the program; nothing else starts.
    if (const std::optional<ModelImportRequest> request = ModelImportRequested(arguments))
        return RunModelImport(*request);
    return RunProgram(arguments, {GetExecutableFolder(), 1280, 800, true, [](Core& core) { core.Run(); },
                                  platform::ExecutablePath()});
}
