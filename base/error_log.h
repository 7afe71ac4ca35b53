#pragma once
#include <string>

// Appends one entry to "Errors.txt" in the current directory (the program's folder): the message,
// then an empty line, both ended by CR LF. The file is opened and closed for every message, so
// every finished entry is on disk whatever happens next. The message is also echoed to standard
// error so a player who started the game from a terminal learns why it stopped.
// Never throws: a log that cannot be written is reported on standard error, and whatever the game
// was doing (saving the scores at the end, say) goes on.
void LogError(const std::string& sMessage);

// The last message LogError took in this run, or an empty text when there was none: what a
// failed start tells the player.
std::string LastLoggedError();
