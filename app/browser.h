#pragma once
// The game in a web browser: the browser's own main loop runs the frame loop's passes, 30 ms
// apart, and the page hears when the run is over.
#include <memory>

struct GameRun;

// Hands a started run to the browser's main loop and returns at once; the loop ends the run.
void RunInBrowser(std::unique_ptr<GameRun> run);
