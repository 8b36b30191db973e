#pragma once
#include <sstream>
#include <string>
#include <vector>

// The editor's own console: a capture that can take standard output's place, so what the engine prints shows
// in the editor's "Console" window instead of the terminal. The chosen console holds until switched again.
class EditorConsole
{
public:
    // Remembers standard output's buffer as the window console's; output is not redirected yet.
    EditorConsole();
    // Standard output gets its buffer back: the capture is about to go.
    ~EditorConsole();
    EditorConsole(const EditorConsole&) = delete;
    EditorConsole& operator=(const EditorConsole&) = delete;

    // Points standard output at the chosen console; a failed capture leaves it where it is.
    void RouteOutput();
    // Moves the captured text into the lines, one per line feed (a last piece without one too), and routes
    // standard output again.
    void FlushCapturedOutput();
    // Forgets the captured text once the window has shown it.
    void ClearCapture();
    // Chooses the other console and says so in it.
    void Switch();

    bool WindowConsoleChosen() const { return windowConsole_; }
    // Every captured line of the run, in order.
    const std::vector<std::string>& Lines() const { return lines_; }

private:
    std::stringstream capture_;
    std::streambuf* windowBuffer_;
    std::vector<std::string> lines_;
    bool windowConsole_ = true;
};
