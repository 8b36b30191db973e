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
    : handle_(std::exchange(other.handle_, nullptr)), error_(std::move(other.error_))
{
}

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& other) noexcept
{
    if (this != &other)
    {
        Free();
        handle_ = std::exchange(other.handle_, nullptr);
        error_ = std::move(other.error_);
    }
    return *this;
}

bool DynamicLibrary::Load(const std::string& path)
{
    Free();
    // Local binding keeps two loads of the script library from resolving into each other.
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    error_ = handle_ ? "" : LastLoaderError();
    return handle_ != nullptr;
}

bool DynamicLibrary::Free()
{
    const bool freed = !handle_ || dlclose(handle_) == 0;
    if (!freed)
        error_ = LastLoaderError();
    handle_ = nullptr;
    return freed;
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
