#include "editorconsole.h"

#include <iostream>
#include <string_view>

EditorConsole::EditorConsole() : windowBuffer_(std::cout.rdbuf())
{
}

EditorConsole::~EditorConsole()
{
    if (std::cout.rdbuf() == capture_.rdbuf())
        std::cout.rdbuf(windowBuffer_);
}

void EditorConsole::RouteOutput()
{
    if (capture_.good())
        std::cout.rdbuf(windowConsole_ ? windowBuffer_ : capture_.rdbuf());
}

void EditorConsole::FlushCapturedOutput()
{
    const std::string text = capture_.str();
    RouteOutput();
    std::string_view rest = text;
    while (!rest.empty())
    {
        const std::size_t end = rest.find('\n');
        lines_.emplace_back(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
}

void EditorConsole::ClearCapture()
{
    capture_.str({});
}

void EditorConsole::Switch()
{
    windowConsole_ = !windowConsole_;
    RouteOutput();
    std::cout << (windowConsole_ ? "Window Console. Press Alt-F1 to switch to Editor console"
                                 : "Editor Console. Press Alt-F1 to switch to Window console")
              << std::endl;
}
