#pragma once
// The game's version (the project's, set in CMakeLists.txt).
inline constexpr const char* GAME_VERSION = PIBO_VERSION;
