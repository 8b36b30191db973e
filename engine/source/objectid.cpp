#include "objectid.h"

#include <cstdlib>
#include <ctime>

ObjectId GenerateObjectId()
{
    static std::uint16_t counter = 0;
    ++counter;
    const auto seconds = static_cast<std::int64_t>(static_cast<std::int32_t>(std::time(nullptr)));
    const auto random = static_cast<std::uint64_t>(std::rand() & 0xFFFF);
    return counter | (static_cast<std::uint64_t>(seconds) << 16) | (random << 48);
}
