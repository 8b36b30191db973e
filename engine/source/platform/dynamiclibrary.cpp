#include "platform/dynamiclibrary.h"

#include <dlfcn.h>
#include <utility>

namespace platform
{
namespace
{
std::string LastLoaderError()
{
    const char* text = dlerror();
    return text ? text : "";
}
}

DynamicLibrary::~DynamicLibrary()
{
    Free();
}

DynamicLibrary::DynamicLibrary(DynamicLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), path_(std::move(other.path_)), error_(std::move(other.error_))
{
}

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& other) noexcept
{
    if (this != &other)
    {
        Free();
        handle_ = std::exchange(other.handle_, nullptr);
        path_ = std::move(other.path_);
        error_ = std::move(other.error_);
    }
    return *this;
}

bool DynamicLibrary::Load(const std::string& path)
{
    Free();
    // Local binding keeps two loads of the script library from resolving into each other.
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    path_ = path;
    error_ = handle_ ? "" : LastLoaderError();
    return handle_ != nullptr;
}

bool DynamicLibrary::Free()
{
    if (!handle_)
        return true;
    if (dlclose(std::exchange(handle_, nullptr)) != 0)
    {
        error_ = LastLoaderError();
        return false;
    }
    // A closed library can stay mapped; a new build of it would then not be loaded.
    if (!IsResident(path_))
        return true;
    error_ = path_ + " stays loaded after it was freed";
    return false;
}

void* DynamicLibrary::Find(const std::string& name)
{
    if (!handle_)
    {
        error_ = "no library loaded";
        return nullptr;
    }
    dlerror();
    void* symbol = dlsym(handle_, name.c_str());
    error_ = symbol ? "" : LastLoaderError();
    return symbol;
}

bool DynamicLibrary::IsResident(const std::string& path)
{
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle)
        dlclose(handle);
    return handle != nullptr;
}

const char* DynamicLibrary::Suffix()
{
    return ".so";
}
}
