#include "helpers.h"

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

bool StringContains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

bool ContainsString(const std::vector<std::string>& values, const std::string& value)
{
    return Contains(values, value);
}

std::string GetExecutableFolder()
{
    std::error_code error;
    const std::string path = fs::read_symlink("/proc/self/exe", error).string();
    const size_t slash = path.find_last_of('/');
    return (slash == std::string::npos ? path : path.substr(0, slash)) + "/";
}

namespace
{
std::string DocumentsFolder()
{
    const char* documents = std::getenv("XDG_DOCUMENTS_DIR");
    if (documents != nullptr && *documents != '\0')
        return documents;
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0')
        return std::string(home) + "/Documents";
    return {};
}
} // namespace

std::string GetUserDataFolder()
{
    std::string folder = DocumentsFolder();
    if (folder.empty())
        return {};
    // A folder that cannot be created shows up later, when its files cannot be written.
    std::error_code error;
    fs::create_directories(folder + "/CalVorn/Nektaru", error);
    return folder + "/CalVorn/Nektaru/";
}

namespace
{
constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Decodes one code point at text[at] and moves past it; a malformed sequence gives one U+FFFD.
char32_t DecodeUtf8(const std::string& text, size_t& at)
{
    const unsigned char lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80)
        return lead;
    int length = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (length == 0)
        return kReplacement;
    char32_t code = lead & (0x7F >> length);
    for (int n = 1; n < length; ++n)
    {
        if (at >= text.size() || !IsContinuation(static_cast<unsigned char>(text[at])))
            return kReplacement;
        code = (code << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < smallest[length] || code > 0x10FFFF || surrogate ? kReplacement : code;
}

void EncodeUtf8(char32_t code, std::string& out)
{
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        code = kReplacement;
    if (code < 0x80)
    {
        out += static_cast<char>(code);
        return;
    }
    const int length = code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
    const unsigned char leads[] = {0, 0, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(leads[length] | (code >> (6 * (length - 1))));
    for (int n = length - 2; n >= 0; --n)
        out += static_cast<char>(0x80 | ((code >> (6 * n)) & 0x3F));
}
} // namespace

std::string ToNarrowString(const std::wstring& text)
{
    std::string out;
    out.reserve(text.size());
    for (wchar_t unit : text)
        EncodeUtf8(static_cast<char32_t>(unit), out);
    return out;
}

std::wstring ToWideString(const std::string& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();)
        out += static_cast<wchar_t>(DecodeUtf8(text, at));
    return out;
}

bool HasFileChanged(const std::string& path, std::int64_t& lastTime)
{
    struct stat info{};
    if (stat(path.c_str(), &info) != 0)
        return false;
    const std::int64_t modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    if (modified == lastTime)
        return false;
    lastTime = modified;
    return true;
}

std::string GetFileName(const std::string& path)
{
    size_t separator = path.find_last_of('/');
    if (separator == std::string::npos)
        separator = path.find_last_of('\\');
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string GetFileStem(const std::string& path)
{
    const std::string name = GetFileName(path);
    return name.substr(0, name.find_last_of('.'));
}
