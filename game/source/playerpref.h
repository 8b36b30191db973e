#pragma once
#include <map>
#include <string>

// Values that outlive a level: the player's hearts and charges, unlocked abilities, tutorial progress. Kept
// in memory only, so they are gone when the library is unloaded. Reading an absent key gives 0, 0.0 or the
// empty string and stores nothing.
class PlayerPref
{
public:
    static int GetInt(const std::string& key);
    static void SetInt(const std::string& key, int value);
    // True when an int is stored under the key (a stored 0 included).
    static bool HasInt(const std::string& key);
    static float GetFloat(const std::string& key);
    static void SetFloat(const std::string& key, float value);
    // An absent key gives one shared empty string.
    static const std::string& GetString(const std::string& key);
    static void SetString(const std::string& key, const std::string& value);

private:
    // Tests look at the maps to see that reading stores nothing.
    friend class PlayerPrefProbe;

    static std::map<std::string, int> ints_;
    static std::map<std::string, float> floats_;
    static std::map<std::string, std::string> strings_;
};
