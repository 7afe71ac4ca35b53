#include "headless/key_script.h"

#include <sstream>

int KeyFromName(const std::string& sName) {
  if (sName == "left") return dik::LEFT;
  if (sName == "right") return dik::RIGHT;
  if (sName == "up") return dik::UP;
  if (sName == "down") return dik::DOWN;
  if (sName == "space") return dik::SPACE;
  if (sName == "ctrl") return dik::LCONTROL;
  if (sName == "shift") return dik::LSHIFT;
  if (sName == "p") return dik::P;
  return 0;
}

KeyScript KeyScript::Parse(std::istream& in, const std::string& sSource) {
  KeyScript script;
  std::string text;
  long number = 0;
  while (std::getline(in, text)) {
    ++number;
    if (const size_t hash = text.find('#'); hash != std::string::npos) text.erase(hash);
    std::istringstream words(text);
    std::string word;
    if (!(words >> word)) continue;
    auto fail = [&](const std::string& why) {
      throw std::runtime_error(sSource + ":" + std::to_string(number) + ": " + why);
    };
    KeyScriptLine line;
    try {
      size_t used = 0;
      line.nFrame = std::stol(word, &used);
      if (used != word.size() || line.nFrame < 0) throw std::invalid_argument(word);
    } catch (const std::exception&) {
      fail("a line starts with its frame number, not \"" + word + "\"");
    }
    if (!script.lines_.empty() && line.nFrame <= script.lines_.back().nFrame)
      fail("frame " + std::to_string(line.nFrame) + " is not after the line before");
    while (words >> word) {
      const int key = KeyFromName(word);
      if (key == 0) fail("unknown key \"" + word + "\" (left right up down space ctrl shift p)");
      line.keys.push_back(key);
    }
    script.lines_.push_back(std::move(line));
  }
  return script;
}

KeyboardSnapshot KeyScript::KeysAt(long nFrame) const {
  KeyboardSnapshot state{};
  const KeyScriptLine* current = nullptr;
  for (const KeyScriptLine& line : lines_) {
    if (line.nFrame > nFrame) break;
    current = &line;
  }
  if (current != nullptr)
    for (int key : current->keys) state[key] = 0x80;
  return state;
}
