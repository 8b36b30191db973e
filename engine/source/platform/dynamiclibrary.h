#pragma once
#include <string>

namespace platform
{
// A shared library loaded at run time, freed when this object goes.
class DynamicLibrary
{
public:
    DynamicLibrary() = default;
    ~DynamicLibrary();
    DynamicLibrary(DynamicLibrary&& other) noexcept;
    DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // Frees what was loaded before; on failure Error() holds the loader's text.
    bool Load(const std::string& path);
    // False, with the reason in Error(), when the loader refused to free it or kept it in memory after
    // freeing it (another handle to the file, or a thread-local object of the library with a destructor).
    bool Free();
    bool IsLoaded() const { return handle_ != nullptr; }

    // Null when the library lacks the symbol (or nothing is loaded).
    void* Find(const std::string& name);
    template <typename Function>
    Function FindFunction(const std::string& name)
    {
        return reinterpret_cast<Function>(Find(name));
    }

    const std::string& Error() const { return error_; }

    // True while the loader still maps a library loaded from this path (a freed library that stays is not
    // really unloaded).
    static bool IsResident(const std::string& path);

    // File name suffix of shared libraries on this platform (".so").
    static const char* Suffix();

private:
    void* handle_ = nullptr;
    std::string path_;
    std::string error_;
};
}
