#pragma once
// A private Xvfb for one test process, with its pointer and keyboard driven through XTest. It ends by itself
// once the process has let go of it; the connection is kept to the end of the process, as the windows on it
// are.
#include "tempfolder.h"

#include <string>
#include <vector>

class PrivateDisplay
{
public:
    PrivateDisplay();
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    bool IsOpen() const { return display_ != nullptr; }
    // ":<number>", for DISPLAY.
    const std::string& Name() const { return name_; }

    void MoveTo(int x, int y) const;
    // 1 left, 2 middle, 3 right.
    void Button(unsigned button, bool down) const;
    // A key by its X name: "Alt_L", "F1", "a".
    void Key(const char* name, bool down) const;
    // The pixels the topmost shown window puts on the screen, one 0xRRGGBB value each, row by row; none when no
    // window shows.
    std::vector<unsigned> TopWindowPixels() const;

private:
    TempFolder folder_;
    std::string name_;
    void* display_ = nullptr;
};
