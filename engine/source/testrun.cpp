#include "testrun.h"

#include "audiosystem.h"
#include "core.h"
#include "platform/files.h"

#include <fstream>
#include <utility>
#include <vector>

namespace
{
constexpr int FramesPerLevel = 5;

class TestRunLog
{
public:
    explicit TestRunLog(std::string path) : path_(std::move(path)) {}
    void Append(const std::string& text) const { AppendLogLine(path_, text, true); }
    void Line(const std::string& text) const { WriteLogLine(path_, text, true); }
    // The first line of a log that starts afresh.
    void FirstLine(const std::string& text) const { WriteLogLine(path_, text, false); }

private:
    std::string path_;
};

void RunFrame(Core& core)
{
    core.PumpMessages(); // a quit only ends the main loop, which the test run does not read
    core.Frame();
}

void LoadPrefabs(const TestRunLog& log, const std::vector<std::string>& prefabs, const ContentLoading& content)
{
    log.Line("NOTICE : Detecting " + std::to_string(prefabs.size()) + " XML Files in Bin/Prefabs.");
    for (const std::string& path : prefabs)
    {
        log.Append("LOADING PREFAB : " + TextAfter(path, "Prefabs/") + " --- ");
        content.LoadPrefabFile(path);
        log.Line(" OK");
    }
}

void RunLevels(Core& core, const TestRunLog& log, const std::vector<std::string>& levels,
               const ContentLoading& content)
{
    log.Line("NOTICE : Detecting " + std::to_string(levels.size()) + " XML Files in Bin/XML.");
    for (std::size_t step = 0; step < FramesPerLevel * levels.size(); ++step)
    {
        if (step % FramesPerLevel == 0)
        {
            if (step != 0)
                log.Line(" OK");
            content.DestroyAllObjects();
            const std::string& path = levels[step / FramesPerLevel];
            log.Append("LOADING XML : " + TextAfter(path, "XML/") + " --- ");
            content.LoadLevelFile(path, true);
        }
        RunFrame(core);
    }
}
}

bool IsTestRunRequested(const std::string& workingFolder)
{
    return platform::Exists(workingFolder + TestRunFiles::Start);
}

void AppendLogLine(const std::string& path, const std::string& text, bool append)
{
    std::ofstream file(path, append ? std::ios::app : std::ios::trunc);
    file << text;
}

void WriteLogLine(const std::string& path, const std::string& text, bool append)
{
    AppendLogLine(path, text + "\n", append);
}

void RunTestHarness(Core& core, const TestRunSetup& setup)
{
    if (AudioSystem* audio = core.GetAudio())
        audio->SetMasterMuted(true);
    // Until now only loading happened: start the frames from the target frame time, never from 0.
    core.ResetFrameTimer();

    const bool gameplay = platform::Exists(setup.workingFolder + TestRunFiles::Gameplay);
    const TestRunLog log(setup.workingFolder + (gameplay ? TestRunFiles::GameplayLog : TestRunFiles::EditorLog));
    const std::string status =
        setup.workingFolder + (gameplay ? TestRunFiles::GameplayStatus : TestRunFiles::EditorStatus);
    // An earlier run's status must not survive a run that dies on the way.
    AppendLogLine(status, "", false);

    std::vector<std::string> prefabs, levels;
    if (gameplay)
    {
        log.FirstLine("NOTICE: STARTING!");
        core.SetEditorMode(false);
        prefabs = ListFolderFiles(setup.executableFolder + PrefabFolder);
        levels = ListFolderFiles(setup.executableFolder + LevelFolder);
    }
    else
    {
        log.Line("NOTICE: STARTING!");
        log.Line("NOTICE: Editor Mode, won't run any XML Files.");
    }
    RunFrame(core);
    LoadPrefabs(log, prefabs, setup.content);
    RunLevels(core, log, levels, setup.content);
    setup.content.DestroyAllObjects();
    log.Line("OK");
    RunFrame(core);
    WriteLogLine(status, "RAN STATUS : OK", true);
}
