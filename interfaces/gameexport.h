#pragma once

// Marks a function of the script library's boundary: C linkage, visible to the loader.
#define GAME_EXPORT extern "C" __attribute__((visibility("default")))
