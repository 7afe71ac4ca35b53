#pragma once
// Key scripts: lines "FRAME KEY KEY ...". From that frame on exactly those keys are held, until
// the next line. Key names: left right up down space ctrl shift p. '#' starts a comment.
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/key_codes.h"

struct KeyScriptLine {
  long nFrame = 0;
  std::vector<int> keys;  // DirectInput key numbers
};

class KeyScript {
 public:
  // Throws std::runtime_error naming the line when the script is malformed.
  static KeyScript Parse(std::istream& in, const std::string& sSource);

  // The keys held in frame nFrame (frames count from 0).
  KeyboardSnapshot KeysAt(long nFrame) const;
  const std::vector<KeyScriptLine>& Lines() const { return lines_; }

 private:
  std::vector<KeyScriptLine> lines_;  // frames strictly increasing
};

// The DirectInput number of a key name, or 0 when the name is unknown.
int KeyFromName(const std::string& sName);
