#pragma once
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// True when part occurs anywhere in text; an empty part always does.
bool StringContains(const std::string& text, const std::string& part);
// True when an element equals value byte for byte.
bool ContainsString(const std::vector<std::string>& values, const std::string& value);

// Linear membership test for the small lists of object pointers and ids.
template <typename T>
bool Contains(const std::vector<T>& values, const T& value)
{
    return std::find(values.begin(), values.end(), value) != values.end();
}

// Appends value unless the list holds it already.
template <typename T>
void AppendOnce(std::vector<T>& values, const T& value)
{
    if (!Contains(values, value))
        values.push_back(value);
}

// The running program's folder with a trailing "/"; every asset path starts with it.
std::string GetExecutableFolder();
// The per-user folder ($XDG_DOCUMENTS_DIR, else $HOME/Documents, then "CalVorn/Nektaru"), created when
// missing, with a trailing "/". Empty when there is no documents folder to start from.
std::string GetUserDataFolder();

// UTF-8 to and from the platform's wide strings (UTF-32 here). Malformed input becomes U+FFFD.
std::string ToNarrowString(const std::wstring& text);
std::wstring ToWideString(const std::string& text);

// True when the file's modification time differs from lastTime, which then takes the new time; false,
// with lastTime untouched, when the file is unchanged or cannot be read. Times are nanoseconds.
bool HasFileChanged(const std::string& path, std::int64_t& lastTime);

// What follows the last "/", else the last "\", else the whole path.
std::string GetFileName(const std::string& path);
// GetFileName without its extension: a dot in a folder name never cuts it.
std::string GetFileStem(const std::string& path);
