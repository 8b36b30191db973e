#pragma once
#include <string>

// The per-user "config.xml": window and run settings that the editor's Edit Config window shows and rewrites.
// Start-up only writes the defaults when the file is missing; the program starts with its own settings.
inline constexpr const char* ConfigFileName = "config.xml";
inline constexpr float DefaultConfigGamma = 1.25f;

// What a window side, a frame rate and a gamma may be; the Edit Config fields and the reader refuse the rest.
template <typename T>
struct ConfigRange
{
    T least;
    T most;
    bool Holds(T value) const { return value >= least && value <= most; }
};
inline constexpr ConfigRange<int> WindowSideRange{1, 16384};
inline constexpr ConfigRange<float> FrameRateRange{1.0f, 1000.0f};
inline constexpr ConfigRange<float> GammaRange{0.1f, 4.5f};

// The file's values but the gamma, which lives in the renderer; the defaults are the default file's.
struct EditorConfig
{
    std::string windowName = "Torvane";
    int width = 1280;
    int height = 800;
    bool fullscreen = false;
    bool showWindow = true;
    bool showTerminal = true;
    bool editorMode = true;
    bool drawColliders = true;
    float fps = 60.0f;
    std::string dll = "Game";
};

// The whole file, replacing the old one only once written; false, after a report, when it could not be.
bool WriteConfigFile(const std::string& path, const EditorConfig& config, float gamma);
void WriteDefaultConfig(const std::string& path);

// Writes the defaults unless the file exists; an existing file is left alone whatever it holds.
void EnsureConfigFile(const std::string& path);

// Takes over what the file holds by element name; a value that does not read or lies outside its range keeps
// the old one, after a report. False when the file held nothing.
bool ReadConfigFile(const std::string& path, EditorConfig& config, float& gamma);
