#pragma once
// The few program-wide values that start-up, the main window, the engines and the game share.
#include <cstdint>
#include <string>

class Game;
class MainWindow;

inline MainWindow* MainForm = nullptr;
inline Game* TheGame = nullptr;
// The frame loop runs while this is False; Esc on the title screen sets it.
inline bool QuitRequested = false;
// DEVELOP on the command line: level editor, develop keys, frame-rate meter.
inline bool DevelopMode = false;
// EXTRA on the command line: the alternative level set, names, scores, options, title, passwords.
inline bool ExtraMode = false;
inline uint32_t FrameStartTime = 0;
inline uint32_t FrameEndTime = 0;
// The program's folder (the executable's), which start-up makes the current directory. Empty
// means the current directory.
inline std::string ProgramFolder;
