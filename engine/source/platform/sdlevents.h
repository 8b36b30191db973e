#pragma once
#include "platform/events.h"

union SDL_Event;

namespace platform
{
// Turns one SDL event into the engine's event record; false for events the engine does not handle.
bool TranslateEvent(const SDL_Event& sdlEvent, Event& event);
}
