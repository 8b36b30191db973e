#pragma once
// Model files are read by a child process, the program itself in its import mode, so a file on which the
// importer aborts, crashes or runs away ends only the child. The child hands the scene back in assimp's own
// binary form ("assbin") through a pipe.
#include <optional>
#include <span>
#include <string>

// "<program> --import-model <file> animated|static"
inline constexpr const char* kImportModelSwitch = "--import-model";

struct ModelImportRequest
{
    std::string path;
    bool animated = false;
};

// Present when the arguments ask for the import mode.
std::optional<ModelImportRequest> ModelImportRequested(std::span<const char* const> arguments);

// The import mode, under a memory and a time limit: reads the file as the resource manager would and writes
// the scene to standard output, or assimp's message with exit code kImportUnreadable. The program's exit code.
int RunModelImport(const ModelImportRequest& request);

inline constexpr int kImportUnreadable = 3;
// The hint that reads the child's answer back.
inline constexpr const char* kSceneFormat = "assbin";

// What the child answered for one file: the scene's bytes, or why there are none.
struct ChildImport
{
    bool ok = false;
    // The scene in assbin form, or the message.
    std::string bytes;
};

// Runs the import mode of the importer program on the file. A child that could not read the file answers
// assimp's message; one that dies, passes a limit or sends nothing is described with the file's name.
ChildImport ImportInChild(const std::string& importerProgram, const std::string& path, bool animated);
