#include "privatedisplay.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <thread>
#include <vector>

extern char** environ;

namespace
{
Display* Connection(void* display)
{
    return static_cast<Display*>(display);
}
}

PrivateDisplay::PrivateDisplay()
{
    const std::string numberFile = folder_.Folder() + "display";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, numberFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    // -terminate: the server ends when its last client goes, this process included.
    std::string arguments[] = {"Xvfb", "-displayfd", "1", "-screen", "0", "1280x800x24", "-nolisten", "tcp",
                               "-terminate"};
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const bool started = posix_spawnp(&pid, "Xvfb", &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    if (!started)
        return;
    // Xvfb writes its display number once it takes connections.
    std::string number;
    for (int wait = 0; wait < 1000 && number.empty(); ++wait)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ifstream(numberFile) >> number;
    }
    name_ = ":" + number;
    display_ = number.empty() ? nullptr : XOpenDisplay(name_.c_str());
    if (!display_)
        kill(pid, SIGKILL);
}

void PrivateDisplay::MoveTo(int x, int y) const
{
    XTestFakeMotionEvent(Connection(display_), -1, x, y, CurrentTime);
    XSync(Connection(display_), False);
}

void PrivateDisplay::Button(unsigned button, bool down) const
{
    XTestFakeButtonEvent(Connection(display_), button, down, CurrentTime);
    XSync(Connection(display_), False);
}

void PrivateDisplay::Key(const char* name, bool down) const
{
    XTestFakeKeyEvent(Connection(display_), XKeysymToKeycode(Connection(display_), XStringToKeysym(name)), down,
                      CurrentTime);
    XSync(Connection(display_), False);
}

std::vector<unsigned> PrivateDisplay::TopWindowPixels() const
{
    Display* display = Connection(display_);
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    std::vector<unsigned> pixels;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return pixels;
    // Children come bottom first.
    for (unsigned n = count; n-- > 0 && pixels.empty();)
    {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, children[n], &attributes) || attributes.map_state != IsViewable)
            continue;
        XImage* image = XGetImage(display, children[n], 0, 0, static_cast<unsigned>(attributes.width),
                                  static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
        if (!image)
            break;
        for (int y = 0; y < attributes.height; ++y)
            for (int x = 0; x < attributes.width; ++x)
                pixels.push_back(static_cast<unsigned>(XGetPixel(image, x, y) & 0xFFFFFF));
        XDestroyImage(image);
    }
    XFree(children);
    return pixels;
}
