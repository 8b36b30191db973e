#pragma once
// Model files are read by a child process, the importer program beside the program's own (it links little
// beyond assimp, so it starts fast), so a file on which the importer aborts, crashes or runs away ends only the
// child. Each thread that imports keeps one child for many files; a child that a file ended is started again
// for the next. The child hands each scene back in assimp's own binary form ("assbin").
#include <string>

// The importer program's file name.
inline constexpr const char* kImporterProgram = "NektaruImporter";

// The importer program: reads requests from standard input until it ends, answering each on standard output,
// each file under a memory and a time limit. Its exit code.
int RunModelImports();

// The hint that reads the child's answer back.
inline constexpr const char* kSceneFormat = "assbin";

// What the child answered for one file: the scene's bytes, or why there are none.
struct ChildImport
{
    bool ok = false;
    // The scene in assbin form, or the message.
    std::string bytes;
};

// Has this thread's child of the importer program read the file. A child that could not read the file answers
// assimp's message; one that dies, passes a limit or sends nothing is described with the file's name.
ChildImport ImportInChild(const std::string& importerProgram, const std::string& path, bool animated);
