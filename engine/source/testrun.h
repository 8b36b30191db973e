#pragma once
#include "startup.h"

#include <string>

class Core;

// Marker, log and status files of the automated test run, in the working folder.
namespace TestRunFiles
{
inline constexpr const char* Start = ".testrun";
inline constexpr const char* Gameplay = ".gameplaymode";
inline constexpr const char* GameplayLog = ".log_play";
inline constexpr const char* EditorLog = ".log_editor";
inline constexpr const char* GameplayStatus = ".okay_play";
inline constexpr const char* EditorStatus = ".okay_editor";
}

struct TestRunSetup
{
    std::string workingFolder;    // holds the markers, logs and status files; ends with "/" or is empty
    std::string executableFolder; // holds the Assets tree; ends with "/"
    ContentLoading content;
};

bool IsTestRunRequested(const std::string& workingFolder);

// Writes text as it is, appending or truncating; the file is opened and closed for every piece.
void AppendLogLine(const std::string& path, const std::string& text, bool append);
// The same with a line end.
void WriteLogLine(const std::string& path, const std::string& text, bool append);

// Loads every prefab and runs every level for five frames (gameplay variant), or only starts and runs a frame,
// logging as it goes; "RAN STATUS : OK" in the status file tells an outside job that it got to the end.
void RunTestHarness(Core& core, const TestRunSetup& setup);
