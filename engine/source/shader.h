#pragma once
#include "TorvaneMath.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

class Matrix4;

// One linked GLSL program from a vertex and a fragment source file. Copied by value into the resource cache;
// it never deletes its program, which ends with the context. Setters act on the current program, which the
// caller has made this one (Use).
class Shader
{
public:
    Shader() = default;
    // Reads, compiles and links; every failure is reported and the program is kept anyway.
    Shader(const char* vertexPath, const char* fragmentPath);

    // Reports a failed compile (type "VERTEX" or "FRAGMENT") or link ("PROGRAM") of object in red.
    void CheckCompileErrors(std::uint32_t object, const std::string& type, const std::string& fileName) const;

    void Use() const;
    void SetInt(std::string_view name, int value) const;
    void SetFloat(std::string_view name, float value) const;
    void SetVec2(std::string_view name, const Vector2& value) const;
    void SetVec3(std::string_view name, const Vector3& value) const;
    void SetVec4(std::string_view name, const Vector4& value) const;
    // Matrices go as they are stored (column-major); transpose for the ones kept row-major (bones).
    void SetMat4(std::string_view name, const Matrix4& value, bool transpose = false) const;

    // The uniform's location, -1 when the program has none of that name.
    int Location(std::string_view name) const;

    std::uint32_t program = 0;

private:
    // Looked up by view, so a name given as text costs no string of its own.
    struct NameHash
    {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };
    using Locations = std::unordered_map<std::string, int, NameHash, std::equal_to<>>;
    // Shared by the copies of one program: looking a name up in GL on every set is the costly part.
    std::shared_ptr<Locations> locations_ = std::make_shared<Locations>();
};
