// Saves ever newer generations of one file until it is killed; prints each generation as its save starts.
#include "platform/files.h"
#include "savegenerations.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const std::string path = argv[1];
    for (unsigned generation = static_cast<unsigned>(std::stoul(argv[2]));; ++generation)
    {
        const std::string contents = savegenerations::Contents(generation);
        std::printf("%u\n", generation);
        std::fflush(stdout);
        if (!platform::WriteFileSafely(path, contents))
            return 1;
    }
}
