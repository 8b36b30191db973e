#include "core.h"
#include "helpers.h"
#include "program.h"

#include <span>

int main(int argc, char* argv[])
{
    const ProgramSetup setup{GetExecutableFolder(), 1280, 800, true, [](Core& core) { core.Run(); }};
    return RunProgram(std::span<const char* const>(argv, static_cast<std::size_t>(argc)), setup);
}
