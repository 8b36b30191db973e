#include "shader.h"

#include "console.h"
#include "helpers.h"
#include "matrix4.h"
#include "platform/files.h"

#include <GL/glew.h>
#include <iostream>

namespace
{
std::string ReadSource(const char* path, bool& failed)
{
    std::string source;
    failed = !platform::ReadFile(path, source) || failed;
    return source;
}

GLuint CompileStage(GLenum stage, const std::string& source)
{
    const GLuint shader = glCreateShader(stage);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    return shader;
}
}

Shader::Shader(const char* vertexPath, const char* fragmentPath)
{
    bool failed = false;
    const std::string vertexSource = ReadSource(vertexPath, failed);
    const std::string fragmentSource = ReadSource(fragmentPath, failed);
    if (failed)
        std::cout << "ERROR::SHADER::FILE_NOT_SUCCESFULLY_READ" << std::endl;
    const std::string name = GetFileStem(vertexPath);

    const GLuint vertex = CompileStage(GL_VERTEX_SHADER, vertexSource);
    CheckCompileErrors(vertex, "VERTEX", name);
    const GLuint fragment = CompileStage(GL_FRAGMENT_SHADER, fragmentSource);
    CheckCompileErrors(fragment, "FRAGMENT", name);

    program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    CheckCompileErrors(program, "PROGRAM", name);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
}

void Shader::CheckCompileErrors(std::uint32_t object, const std::string& type, const std::string& fileName) const
{
    constexpr GLsizei kLogSize = 1024;
    GLint success = 0;
    char log[kLogSize] = {};
    std::string heading;
    if (type == "PROGRAM")
    {
        glGetProgramiv(object, GL_LINK_STATUS, &success);
        if (success)
            return;
        glGetProgramInfoLog(object, kLogSize, nullptr, log);
        heading = "Program linking error of ";
    }
    else
    {
        glGetShaderiv(object, GL_COMPILE_STATUS, &success);
        if (success)
            return;
        glGetShaderInfoLog(object, kLogSize, nullptr, log);
        heading = "Shader compilation error of ";
    }
    PrintColoredLine(ConsoleColor::Red, heading + type + " type.");
    PrintColoredLine(ConsoleColor::Red, "Filename: " + fileName);
    PrintColoredLine(ConsoleColor::Red, "InfoLog:");
    PrintColoredLine(ConsoleColor::Red, log);
}

void Shader::Use() const
{
    glUseProgram(program);
}

int Shader::Location(std::string_view name) const
{
    const auto found = locations_->find(name);
    if (found != locations_->end())
        return found->second;
    std::string text(name);
    const int location = glGetUniformLocation(program, text.c_str());
    locations_->emplace(std::move(text), location);
    return location;
}

void Shader::SetInt(std::string_view name, int value) const
{
    glUniform1i(Location(name), value);
}

void Shader::SetFloat(std::string_view name, float value) const
{
    glUniform1f(Location(name), value);
}

void Shader::SetVec2(std::string_view name, const Vector2& value) const
{
    glUniform2f(Location(name), value.x, value.y);
}

void Shader::SetVec3(std::string_view name, const Vector3& value) const
{
    glUniform3f(Location(name), value.x, value.y, value.z);
}

void Shader::SetVec4(std::string_view name, const Vector4& value) const
{
    glUniform4f(Location(name), value.x, value.y, value.z, value.w);
}

void Shader::SetMat4(std::string_view name, const Matrix4& value, bool transpose) const
{
    glUniformMatrix4fv(Location(name), 1, transpose ? GL_TRUE : GL_FALSE, value.m);
}
