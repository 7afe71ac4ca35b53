#pragma once
#include <string>

// Appends one entry to "Errors.txt" in the current directory (the program's folder): the message,
// then an empty line, both ended by CR LF. The file is opened and closed for every message, so
// every finished entry is on disk whatever happens next. The message is also echoed to standard
// error so a player who started the game from a terminal learns why it stopped.
// Throws std::runtime_error when the log cannot be written; nothing above catches it.
void LogError(const std::string& sMessage);
