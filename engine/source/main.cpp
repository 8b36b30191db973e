#include "core.h"
#include "helpers.h"
#include "modelimport.h"
#include "program.h"

#include <span>

int main(int argc, char* argv[])
{
    const std::span<const char* const> arguments(argv, static_cast<std::size_t>(argc));
    return RunProgram(arguments, {GetExecutableFolder(), 1280, 800, true, [](Core& core) { core.Run(); },
                                  GetExecutableFolder() + kImporterProgram});
}
