#pragma once
#include <string>

// What one test run in editor mode writes to ".log_editor": it counts no files, whatever the asset tree holds.
inline const std::string EditorTestRunLog = "NOTICE: STARTING!\n"
                                            "NOTICE: Editor Mode, won't run any XML Files.\n"
                                            "NOTICE : Detecting 0 XML Files in Bin/Prefabs.\n"
                                            "NOTICE : Detecting 0 XML Files in Bin/XML.\n"
                                            "OK\n";
