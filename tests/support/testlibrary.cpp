#include "gameexport.h"

#include <string>

GAME_EXPORT int TestLibraryAnswer()
{
    return 42;
}

// A thread-local object with a destructor: the loader keeps the library while a thread that made one lives.
GAME_EXPORT int TestLibraryThreadValue()
{
    thread_local const std::string value = "thread-local text, long enough to be allocated";
    return static_cast<int>(value.size());
}
