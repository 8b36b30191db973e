#include "playerpref.h"

// Defined in this order so that unloading frees the strings first, then the floats, then the ints.
std::map<std::string, int> PlayerPref::ints_;
std::map<std::string, float> PlayerPref::floats_;
std::map<std::string, std::string> PlayerPref::strings_;

namespace
{
// Looks the key up first, so an absent key is not inserted.
template <typename T>
const T& Stored(const std::map<std::string, T>& values, const std::string& key, const T& absent)
{
    const auto found = values.find(key);
    return found == values.end() ? absent : found->second;
}

const std::string& EmptyString()
{
    static const std::string empty;
    return empty;
}
} // namespace

int PlayerPref::GetInt(const std::string& key)
{
    return Stored(ints_, key, 0);
}

void PlayerPref::SetInt(const std::string& key, int value)
{
    ints_[key] = value;
}

bool PlayerPref::HasInt(const std::string& key)
{
    return ints_.contains(key);
}

float PlayerPref::GetFloat(const std::string& key)
{
    return Stored(floats_, key, 0.0f);
}

void PlayerPref::SetFloat(const std::string& key, float value)
{
    floats_[key] = value;
}

const std::string& PlayerPref::GetString(const std::string& key)
{
    return Stored(strings_, key, EmptyString());
}

void PlayerPref::SetString(const std::string& key, const std::string& value)
{
    strings_[key] = value;
}
