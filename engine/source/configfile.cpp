#include "configfile.h"

#include "platform/files.h"
#include "serializer.h"

#include <sstream>

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
            XMLReader::ReadValue(text, &config.width);
        else if (name == "Height")
            XMLReader::ReadValue(text, &config.height);
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
            XMLReader::ReadValue(text, &config.fps);
        else if (name == "Gamma")
            XMLReader::ReadValue(text, &gamma);
    }
    return !root->children.empty();
}
