#include "configfile.h"

#include "platform/files.h"
#include "serializer.h"

void WriteDefaultConfig(const std::string& path)
{
    XMLWriter writer(path);
    writer.BeginElement("Config");
    writer.WriteElement("WindowName", "Torvane");
    writer.WriteElement("Width", 1280);
    writer.WriteElement("Height", 800);
    writer.WriteElement("Fullscreen", false);
    writer.WriteElement("ShowWindow", true);
    writer.WriteElement("ShowTerminal", true);
    writer.WriteElement("EditorMode", true);
    writer.WriteElement("DrawColliders", true);
    writer.WriteElement("FPS", 60.0f);
    writer.WriteElement("Gamma", 1.25f);
    writer.WriteElement("DLL", "Game");
}

void EnsureConfigFile(const std::string& path)
{
    if (!platform::Exists(path))
        WriteDefaultConfig(path);
}
