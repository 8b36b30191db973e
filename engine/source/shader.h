#pragma once
#include "TorvaneMath.h"

#include <cstdint>
#include <memory>
#include <string>
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
    void SetInt(const std::string& name, int value) const;
    void SetFloat(const std::string& name, float value) const;
    void SetVec2(const std::string& name, const Vector2& value) const;
    void SetVec3(const std::string& name, const Vector3& value) const;
    void SetVec4(const std::string& name, const Vector4& value) const;
    // Matrices go as they are stored (column-major); transpose for the ones kept row-major (bones).
    void SetMat4(const std::string& name, const Matrix4& value, bool transpose = false) const;

    // The uniform's location, -1 when the program has none of that name.
    int Location(const std::string& name) const;

    std::uint32_t program = 0;

private:
    // Shared by the copies of one program: looking a name up in GL on every set is the costly part.
    std::shared_ptr<std::unordered_map<std::string, int>> locations_ =
        std::make_shared<std::unordered_map<std::string, int>>();
};
