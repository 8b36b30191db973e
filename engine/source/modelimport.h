#pragma once
// Model files are read by a child process, the importer program beside the program's own (it links little
// beyond assimp, so it starts fast), so a file on which the importer aborts, crashes or runs away ends only the
// child. A child reads many files, one at a time; a child that a file ended is started again for the next. The
// child hands each scene back in assimp's own binary form ("assbin").
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

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

class ImporterSession;

// Children of one importer program, shared by the threads that import: each import takes a child no other
// import is using, or starts one, and gives it back afterwards. The children end with this.
class ImporterChildren
{
public:
    explicit ImporterChildren(std::string program);
    ~ImporterChildren();
    ImporterChildren(const ImporterChildren&) = delete;
    ImporterChildren& operator=(const ImporterChildren&) = delete;

    // Starts `count` more children now: a child takes a while to load, which it then does while the caller goes
    // on with other work.
    void Start(std::size_t count);
    // Has a child read the file. A child that could not read the file answers assimp's message; one that dies,
    // passes a limit or sends nothing is described with the file's name.
    ChildImport Import(const std::string& path, bool animated);

private:
    std::unique_ptr<ImporterSession> TakeSession();

    std::string program_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<ImporterSession>> idle_;
};
