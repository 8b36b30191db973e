#include "gameexport.h"

GAME_EXPORT int TestLibraryAnswer()
{
    return 42;
}
