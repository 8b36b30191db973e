#include "configfile.h"

#include "assertion.h"
#include "platform/files.h"
#include "serializer.h"

#include <sstream>

namespace
{
// The reader reports text that is no number (or no finite one); a number outside the range is reported here.
template <typename T>
void ReadWithin(const std::string& path, const XMLNode& leaf, T& target, ConfigRange<T> range)
{
    T value = target;
    if (!XMLReader::ReadValue(leaf.value, &value))
        return;
    if (Check(range.Holds(value), path + " - " + leaf.name + " " + leaf.value + " is out of range, not taken"))
        target = value;
}
} // namespace

bool WriteConfigFile(const std::string& path, const EditorConfig& config, float gamma)
{
    std::ostringstream text;
    {
        XMLWriter writer(text);
        writer.BeginElement("Config");
        writer.WriteElement("WindowName", config.windowName);
        writer.WriteElement("Width", config.width);
        writer.WriteElement("Height", config.height);
        writer.WriteElement("Fullscreen", config.fullscreen);
        writer.WriteElement("ShowWindow", config.showWindow);
        writer.WriteElement("ShowTerminal", config.showTerminal);
        writer.WriteElement("EditorMode", config.editorMode);
        writer.WriteElement("DrawColliders", config.drawColliders);
        writer.WriteElement("FPS", config.fps);
        writer.WriteElement("Gamma", gamma);
        writer.WriteElement("DLL", config.dll);
    }
    return platform::WriteFileSafely(path, text.view());
}

void WriteDefaultConfig(const std::string& path)
{
    WriteConfigFile(path, EditorConfig{}, DefaultConfigGamma);
}

void EnsureConfigFile(const std::string& path)
{
    if (!platform::Exists(path))
        WriteDefaultConfig(path);
}

bool ReadConfigFile(const std::string& path, EditorConfig& config, float& gamma)
{
    XMLReader reader(path);
    reader.Parse();
    const XMLNode* root = reader.GetRoot();
    for (const XMLNode* child : root->children)
    {
        const std::string_view name = child->name;
        const std::string_view text = child->value;
        if (name == "WindowName")
            config.windowName = text;
        else if (name == "DLL")
            config.dll = text;
        else if (name == "Width")
            ReadWithin(path, *child, config.width, WindowSideRange);
        else if (name == "Height")
            ReadWithin(path, *child, config.height, WindowSideRange);
        else if (name == "Fullscreen")
            XMLReader::ReadValue(text, &config.fullscreen);
        else if (name == "ShowWindow")
            XMLReader::ReadValue(text, &config.showWindow);
        else if (name == "ShowTerminal")
            XMLReader::ReadValue(text, &config.showTerminal);
        else if (name == "EditorMode")
            XMLReader::ReadValue(text, &config.editorMode);
        else if (name == "DrawColliders")
            XMLReader::ReadValue(text, &config.drawColliders);
        else if (name == "FPS")
            ReadWithin(path, *child, config.fps, FrameRateRange);
        else if (name == "Gamma")
            ReadWithin(path, *child, gamma, GammaRange);
    }
    return !root->children.empty();
}
