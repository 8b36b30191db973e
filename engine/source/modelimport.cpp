#include "modelimport.h"

#include "modelread.h"
#include "platform/childprocess.h"

#include <assimp/Exporter.hpp>
#include <assimp/scene.h>

#include <cstdint>
#include <cstring>
#include <iostream>
#include <memory>

namespace
{
// Far beyond any model the game ships; a file that needs more is taken for a runaway import.
constexpr std::size_t kImportMemory = std::size_t{1} << 30;
constexpr int kImportSeconds = 60;
constexpr std::size_t kMaxSceneBytes = std::size_t{1} << 30;

// A request is the kind, then the path's length and the path; an answer is its code, then the length and the
// bytes: the scene, or the message.
enum AnswerCode : char
{
    kScene = 0,
    kUnreadable = 3,
};
constexpr char kAnimated = 'a';
constexpr char kStatic = 's';

std::string Frame(char code, const std::string& bytes)
{
    const std::uint64_t size = bytes.size();
    std::string frame(1, code);
    frame.append(reinterpret_cast<const char*>(&size), sizeof size);
    return frame + bytes;
}

std::uint64_t FrameSize(const std::string& header)
{
    std::uint64_t size = 0;
    std::memcpy(&size, header.data() + 1, sizeof size);
    return size;
}

constexpr std::size_t kHeaderBytes = 1 + sizeof(std::uint64_t);

std::string Describe(const platform::ChildResult& child)
{
    switch (child.end)
    {
    case platform::ChildEnd::NotStarted:
        return "the importer could not be started";
    case platform::ChildEnd::TimedOut:
        return "the importer took longer than " + std::to_string(kImportSeconds) + " s and was stopped";
    case platform::ChildEnd::TooMuchOutput:
        return "the importer's answer passed " + std::to_string(kMaxSceneBytes >> 20) + " MB and was stopped";
    case platform::ChildEnd::Signalled:
        return "the importer was ended by signal " + std::to_string(child.code) + " (" + strsignal(child.code) + ")";
    case platform::ChildEnd::Exited:
        break;
    }
    if (child.code == platform::kMemoryLimitExitCode)
        return "the importer needed more than its " + std::to_string(kImportMemory >> 20) + " MB and was stopped";
    if (child.code == 0)
        return "the importer sent nothing";
    return "the importer stopped with exit code " + std::to_string(child.code);
}

// The child's side of one request: the answer's code and bytes.
std::pair<char, std::string> ImportOne(const std::string& path, bool animated)
{
    if (!platform::LimitThisProcess(kImportMemory, kImportSeconds))
        return {kUnreadable, "the import limits could not be set"};
    Assimp::Importer importer;
    const aiScene* scene = ReadModelFile(importer, path, animated);
    if (!IsReadableScene(scene))
        return {kUnreadable, importer.GetErrorString()};
    Assimp::Exporter exporter;
    const aiExportDataBlob* blob = exporter.ExportToBlob(scene, kSceneFormat);
    if (!blob)
        return {kUnreadable, exporter.GetErrorString()};
    return {kScene, std::string(static_cast<const char*>(blob->data), blob->size)};
}

} // namespace

// One child, started when first needed and again after a file ended it.
class ImporterSession
{
public:
    explicit ImporterSession(std::string program) : program_(std::move(program)) {}

    void Start()
    {
        if (!child_)
            child_ = std::make_unique<platform::ChildSession>(program_, std::vector<std::string>{});
    }

    // Lets the child end once it has answered, without waiting for it.
    void CloseInput()
    {
        if (child_)
            child_->CloseInput();
    }

    ChildImport Import(const std::string& path, bool animated)
    {
        Start();
        const auto deadline = platform::ChildClock::now() + std::chrono::seconds(kImportSeconds);
        if (!child_->Running())
            return Failed(path, platform::ChildEnd::NotStarted, deadline);
        std::string answer;
        child_->Send(Frame(animated ? kAnimated : kStatic, path));
        if (const auto end = child_->Receive(kHeaderBytes, deadline, answer))
            return Failed(path, *end, deadline);
        const std::uint64_t size = FrameSize(answer);
        if (size > kMaxSceneBytes)
            return Failed(path, platform::ChildEnd::TooMuchOutput, deadline);
        const char code = answer[0];
        answer.erase(0, kHeaderBytes);
        if (const auto end = child_->Receive(size, deadline, answer))
            return Failed(path, *end, deadline);
        if (code == kScene && !answer.empty())
            return {true, std::move(answer)};
        if (code == kUnreadable)
            return {false, std::move(answer)};
        return Failed(path, platform::ChildEnd::Exited, deadline);
    }

private:
    // The child is ended and described; the next file starts another.
    ChildImport Failed(const std::string& path, platform::ChildEnd end, platform::ChildClock::time_point deadline)
    {
        platform::ChildResult result{end, 0};
        if (end != platform::ChildEnd::NotStarted)
            result = child_->Finish(end, deadline);
        child_.reset();
        return {false, path + ": " + Describe(result)};
    }

    std::string program_;
    std::unique_ptr<platform::ChildSession> child_;
};

int RunModelImports()
{
    std::string header(kHeaderBytes, '\0');
    while (std::cin.read(header.data(), static_cast<std::streamsize>(kHeaderBytes)))
    {
        std::string path(FrameSize(header), '\0');
        if (!std::cin.read(path.data(), static_cast<std::streamsize>(path.size())))
            break;
        const auto [code, bytes] = ImportOne(path, header[0] == kAnimated);
        const std::string frame = Frame(code, bytes);
        if (!std::cout.write(frame.data(), static_cast<std::streamsize>(frame.size())).flush())
            break;
    }
    return 0;
}

ImporterChildren::ImporterChildren(std::string program) : program_(std::move(program))
{
}

ImporterChildren::~ImporterChildren()
{
    // All of them end at once rather than one after another.
    for (const std::unique_ptr<ImporterSession>& session : idle_)
        session->CloseInput();
}

void ImporterChildren::Start(std::size_t count)
{
    for (std::size_t n = 0; n < count; ++n)
    {
        auto session = std::make_unique<ImporterSession>(program_);
        session->Start();
        const std::lock_guard lock(mutex_);
        idle_.push_back(std::move(session));
    }
}

std::unique_ptr<ImporterSession> ImporterChildren::TakeSession()
{
    const std::lock_guard lock(mutex_);
    if (idle_.empty())
        return std::make_unique<ImporterSession>(program_);
    std::unique_ptr<ImporterSession> session = std::move(idle_.back());
    idle_.pop_back();
    return session;
}

ChildImport ImporterChildren::Import(const std::string& path, bool animated)
{
    std::unique_ptr<ImporterSession> session = TakeSession();
    ChildImport answer = session->Import(path, animated);
    const std::lock_guard lock(mutex_);
    idle_.push_back(std::move(session));
    return answer;
}
