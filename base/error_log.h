#pragma once
#include <string>

// Appends one entry to "Errors.txt" in the error log's folder (at first the current directory,
// the program's folder; see SetErrorLogFolder): the message,
// then an empty line, both ended by CR LF. The file is opened and closed for every message, so
// every finished entry is on disk whatever happens next. The message is also echoed to standard
// error so a player who started the game from a terminal learns why it stopped.
// Never throws: a log that cannot be written is reported on standard error, and whatever the game
// was doing (saving the scores at the end, say) goes on.
void LogError(const std::string& sMessage);

// The last message LogError took in this run, or an empty text when there was none: what a
// failed start tells the player.
std::string LastLoggedError();

// Where "Errors.txt" goes from now on (an empty text: the current directory).
void SetErrorLogFolder(const std::string& sFolder);
