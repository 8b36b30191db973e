#pragma once
#include <initializer_list>
#include <utility>

class GameObjectInterface;

// Removes the door and then plays the sounds, name and volume, where it stood.
void OpenDoor(GameObjectInterface& door, std::initializer_list<std::pair<const char*, float>> sounds);
