#include "modelimport.h"

#include "helpers.h"
#include "model.h"
#include "platform/childprocess.h"

#include <assimp/Exporter.hpp>
#include <assimp/scene.h>

#include <cstring>
#include <iostream>

namespace
{
constexpr const char* kAnimated = "animated";
constexpr const char* kStatic = "static";
// Far beyond any model the game ships; a file that needs more is taken for a runaway import.
constexpr std::size_t kImportMemory = std::size_t{1} << 30;
constexpr int kImportSeconds = 60;
constexpr std::size_t kMaxSceneBytes = std::size_t{1} << 30;

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
    if (child.code == 0)
        return "the importer sent nothing";
    return "the importer stopped with exit code " + std::to_string(child.code);
}
} // namespace

std::optional<ModelImportRequest> ModelImportRequested(std::span<const char* const> arguments)
{
    if (arguments.size() != 4 || std::strcmp(arguments[1], kImportModelSwitch) != 0)
        return std::nullopt;
    const std::string kind = arguments[3];
    if (kind != kAnimated && kind != kStatic)
        return std::nullopt;
    return ModelImportRequest{arguments[2], kind == kAnimated};
}

int RunModelImport(const ModelImportRequest& request)
{
    if (!platform::LimitThisProcess(kImportMemory, kImportSeconds))
    {
        std::cout << "the import limits could not be set";
        return kImportUnreadable;
    }
    Model model(GetFileStem(request.path));
    model.LoadModel(request.path, request.animated);
    if (!model.IsReadable())
    {
        std::cout << model.importer.GetErrorString();
        return kImportUnreadable;
    }
    Assimp::Exporter exporter;
    const aiExportDataBlob* blob = exporter.ExportToBlob(model.scene, kSceneFormat);
    if (!blob)
    {
        std::cout << exporter.GetErrorString();
        return kImportUnreadable;
    }
    std::cout.write(static_cast<const char*>(blob->data), static_cast<std::streamsize>(blob->size));
    std::cout.flush();
    return std::cout ? 0 : kImportUnreadable;
}

ChildImport ImportInChild(const std::string& importerProgram, const std::string& path, bool animated)
{
    platform::ChildResult child = platform::RunChild(
        importerProgram, {kImportModelSwitch, path, animated ? kAnimated : kStatic}, {kImportSeconds, kMaxSceneBytes});
    if (child.end == platform::ChildEnd::Exited && child.code == 0 && !child.output.empty())
        return {true, std::move(child.output)};
    if (child.end == platform::ChildEnd::Exited && child.code == kImportUnreadable)
        return {false, std::move(child.output)};
    return {false, path + ": " + Describe(child)};
}
