#pragma once
#include <string>

// The per-user "config.xml": window and run settings that the editor's Edit Config window shows and rewrites.
// Start-up only writes the defaults when the file is missing.
inline constexpr const char* ConfigFileName = "config.xml";

void WriteDefaultConfig(const std::string& path);

// Writes the defaults unless the file exists; an existing file is left alone whatever it holds.
void EnsureConfigFile(const std::string& path);
