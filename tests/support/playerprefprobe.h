#pragma once
#include "playerpref.h"

#include <cstddef>
#include <string>

// Looks into the preference store: nothing else can tell a read that stored a key from one that did not, and
// only a test may empty it (the library never does).
class PlayerPrefProbe
{
public:
    static std::size_t Ints(const std::string& key) { return PlayerPref::ints_.count(key); }
    static std::size_t Floats(const std::string& key) { return PlayerPref::floats_.count(key); }
    static std::size_t Strings(const std::string& key) { return PlayerPref::strings_.count(key); }
    static void Clear()
    {
        PlayerPref::ints_.clear();
        PlayerPref::floats_.clear();
        PlayerPref::strings_.clear();
    }
};
