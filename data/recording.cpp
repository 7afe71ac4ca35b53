#include "data/recording.h"

#include <cinttypes>
#include <cstdio>
#include <sstream>

#include "base/checksum.h"
#include "base/failure.h"
#include "base/text_encoding.h"

namespace {

// The keys the rules read, each a bit of a recorded frame.
struct RecordedKey {
  const char* name;
  uint8_t bit;
  int key;    // the key a replay holds
  int other;  // the second key that means the same (0: none)
};
constexpr RecordedKey kKeys[] = {
    {"left", 1, dik::LEFT, 0},
    {"right", 2, dik::RIGHT, 0},
    {"up", 4, dik::UP, 0},
    {"down", 8, dik::DOWN, 0},
    {"space", 16, dik::SPACE, 0},
    {"ctrl", 32, dik::LCONTROL, dik::RCONTROL},
    {"shift", 64, dik::LSHIFT, dik::RSHIFT},
};

std::string Hex(uint64_t value, int digits) {
  char text[32];
  std::snprintf(text, sizeof text, "%0*" PRIx64, digits, value);
  return text;
}

// About four days of play at 33 frames a second: more is no recording but a damaged number.
constexpr long kMostFrames = 12'000'000;

// What the file said is quoted with its control characters escaped: the message reaches a
// terminal.
[[noreturn]] void Refuse(const std::string& why) {
  throw GameError(ERR_BAD_FILE_FORMAT, "Not a recording this game can play: " + PrintableText(why));
}

uint8_t BitsOf(const KeyboardSnapshot& keys) {
  uint8_t bits = 0;
  for (const RecordedKey& k : kKeys)
    if ((keys[k.key] & 0x80) || (k.other != 0 && (keys[k.other] & 0x80))) bits |= k.bit;
  return bits;
}

// The level set a recording was played on, as its "set" line names it.
std::string SetName(const Recording& r) {
  if (!r.sPack.empty()) return "pack " + PrintableText(r.sPack);
  return r.bExtra ? "extra" : "normal";
}

}  // namespace

void Recording::AddFrame(const KeyboardSnapshot& keys, int16_t nDetail) {
  Keys.push_back(BitsOf(keys));
  Detail.push_back(nDetail != 0 ? 1 : 0);
}

KeyboardSnapshot Recording::SnapshotAt(long nFrame) const {
  KeyboardSnapshot state{};
  if (nFrame < 0 || nFrame >= Frames()) return state;
  for (const RecordedKey& k : kKeys)
    if (Keys[static_cast<size_t>(nFrame)] & k.bit) state[k.key] = 0x80;
  return state;
}

uint64_t LevelSetCheck(const LevelSet& levels) {
  const std::vector<uint8_t> bytes = LevelFileBytes(levels);
  return Fnv1a(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string RecordingSetMismatch(const Recording& r, bool bExtra, bool bPack) {
  if (!r.sPack.empty() && !bPack)
    return "The recording was played on the level pack \"" + PrintableText(r.sPack) +
           "\"; start the game with --levels and that pack's folder.";
  const std::string set = r.bExtra ? "the EXTRA levels" : "the normal levels";
  if (r.sPack.empty() && bPack)
    return "The recording was played on " + set + ", not on a level pack.";
  if (r.bExtra != bExtra) return "The recording was played on " + set + ".";
  return "";
}

std::string RecordingText(const Recording& r) {
  std::ostringstream out;
  out << "pibo2 recording " << RECORDING_FORMAT << "\n"
      << "game " << r.GameVersion << "\n"
      << "set " << SetName(r) << "\n"
      << "levels " << Hex(r.LevelsCheck, 16) << "\n"
      << "random " << Hex(r.RandomState, 6) << "\n"
      << "easy " << r.nEasyGame << "\n"
      << "detail " << r.nHighDetailGraphics << "\n"
      << "start " << r.LevelBefore << " " << r.StageBefore << "\n";
  if (r.WithAssists()) {
    out << "assists";
    if (r.bSafeTimeAfterHit) out << " safe-time";
    if (r.nGameSpeed != 100) out << " speed " << r.nGameSpeed;
    out << "\n";
  }
  int detail = r.nHighDetailGraphics != 0 ? 1 : 0;
  for (long f = 0; f < r.Frames(); ++f) {
    const size_t i = static_cast<size_t>(f);
    if (r.Detail[i] != detail) {
      detail = r.Detail[i];
      out << f << " detail " << detail << "\n";
    }
    if (f > 0 && r.Keys[i] == r.Keys[i - 1]) continue;
    out << f;
    for (const RecordedKey& k : kKeys)
      if (r.Keys[i] & k.bit) out << " " << k.name;
    out << "\n";
  }
  out << "end " << r.Frames() << " score " << r.EndScore << " level " << r.EndLevel << "\n";
  const std::string body = out.str();
  return body + RecordingCheckLine(body);
}

std::string RecordingCheckLine(std::string_view sBody) {
  return "check " + Hex(Fnv1a(sBody), 16) + "\n";
}

Recording ParseRecording(std::string_view text, const std::string& sGameVersion) {
  if (!text.starts_with("pibo2 recording ")) Refuse("it does not start with \"pibo2 recording\".");
  const size_t checkAt = text.rfind("check ");
  if (checkAt == std::string_view::npos || (checkAt > 0 && text[checkAt - 1] != '\n'))
    Refuse("it has no check line; it is cut short or damaged.");
  const std::string checkLine(text.substr(checkAt + 6, text.find('\n', checkAt) - checkAt - 6));
  if (checkLine != Hex(Fnv1a(text.substr(0, checkAt)), 16))
    Refuse("its check does not match; the file is damaged.");

  std::istringstream in{std::string(text.substr(0, checkAt))};
  std::string line;
  int lineNumber = 0;
  auto next = [&](const char* word) {
    ++lineNumber;
    if (!std::getline(in, line) || !line.starts_with(std::string(word) + " "))
      Refuse("line " + std::to_string(lineNumber) + " should start with \"" + word + "\".");
    return line.substr(std::string(word).size() + 1);
  };
  Recording r;
  if (next("pibo2 recording") != std::to_string(RECORDING_FORMAT))
    Refuse("its format is version " + line.substr(16) + "; this game reads version " +
           std::to_string(RECORDING_FORMAT) + ".");
  r.GameVersion = next("game");
  if (r.GameVersion != sGameVersion)
    Refuse("it was played with pibo2 " + r.GameVersion + ", this is pibo2 " + sGameVersion +
           ", whose rules may differ.");
  const std::string set = next("set");
  if (set.starts_with("pack ") && set.size() > 5)
    r.sPack = set.substr(5);
  else if (set != "normal" && set != "extra")
    Refuse("line 3 names no level set.");
  r.bExtra = set == "extra";
  // Every number must be one the game itself could have written: nothing else may reach the
  // rules (an easy game of -1 would divide by zero).
  auto number = [&](const char* word, long long nLowest, long long nHighest, int nBase = 10) {
    const std::string text = next(word);
    size_t used = 0;
    long long value = 0;
    try {
      value = std::stoll(text, &used, nBase);
    } catch (const std::logic_error&) {
      used = 0;
    }
    if (used == 0 || used != text.size() || value < nLowest || value > nHighest)
      Refuse("line " + std::to_string(lineNumber) + ": \"" + word + "\" needs a number from " +
             std::to_string(nLowest) + " to " + std::to_string(nHighest) + ".");
    return value;
  };
  try {
    r.LevelsCheck = std::stoull(next("levels"), nullptr, 16);
  } catch (const std::logic_error&) {
    Refuse("line " + std::to_string(lineNumber) + " holds no number.");
  }
  r.RandomState = static_cast<uint32_t>(number("random", 0, 0xFFFFFF, 16));
  r.nEasyGame = static_cast<int16_t>(number("easy", 0, 1));
  r.nHighDetailGraphics = static_cast<int16_t>(number("detail", 0, 1));
  {
    std::istringstream start(next("start"));
    int level = -1, stage = -1;
    std::string more;
    if (!(start >> level >> stage) || (start >> more) || level < 0 || level >= LEVEL_SLOTS ||
        stage < 0 || stage > 4)
      Refuse("line " + std::to_string(lineNumber) +
             ": the start needs the level before the first (0 to 30) and its stage (0 to 4).");
    r.LevelBefore = static_cast<int16_t>(level);
    r.StageBefore = static_cast<int16_t>(stage);
  }
  // The assists' line, when there is one.
  if (const auto at = in.tellg(); std::getline(in, line) && line.starts_with("assists ")) {
    ++lineNumber;
    std::istringstream words(line.substr(8));
    for (std::string word; words >> word;) {
      int speed = 0;
      if (word == "safe-time") {
        r.bSafeTimeAfterHit = true;
      } else if (word == "speed" && words >> speed && (speed == 90 || speed == 80 || speed == 70)) {
        r.nGameSpeed = static_cast<int16_t>(speed);
      } else {
        Refuse("line " + std::to_string(lineNumber) +
               ": the assists are \"safe-time\" and \"speed\" 90, 80 or 70.");
      }
    }
  } else {
    in.clear();
    in.seekg(at);
  }
  uint8_t keys = 0;
  uint8_t detail = r.nHighDetailGraphics != 0 ? 1 : 0;
  bool ended = false;
  while (std::getline(in, line)) {
    ++lineNumber;
    const std::string where = "line " + std::to_string(lineNumber) + ": ";
    std::istringstream words(line);
    std::string first;
    if (!(words >> first)) Refuse(where + "it is empty.");
    if (first == "end") {
      long frames = 0;
      std::string scoreWord, levelWord;
      if (!(words >> frames >> scoreWord >> r.EndScore >> levelWord >> r.EndLevel) ||
          scoreWord != "score" || levelWord != "level")
        Refuse(where + "the end line cannot be read.");
      if (r.EndScore < 0 || r.EndLevel < 1 || r.EndLevel > LEVEL_SLOTS)
        Refuse(where + "the end needs a score of 0 or more and a level from 1 to 31.");
      if (frames < r.Frames() || frames > kMostFrames)
        Refuse(where + "the frames run past the end.");
      while (r.Frames() < frames) r.Keys.push_back(keys), r.Detail.push_back(detail);
      ended = true;
      break;
    }
    // From this frame on the line's keys (or option) hold; the frames before keep what held.
    char* stop = nullptr;
    const long frame = std::strtol(first.c_str(), &stop, 10);
    if (*stop != '\0' || frame < r.Frames() || frame > kMostFrames)
      Refuse(where + "the frame number is missing or out of order.");
    while (r.Frames() < frame) r.Keys.push_back(keys), r.Detail.push_back(detail);
    std::string word;
    if (words >> word && word == "detail") {
      int value = 0;
      if (!(words >> value) || (value != 0 && value != 1) || (words >> word))
        Refuse(where + "detail needs 0 or 1.");
      detail = static_cast<uint8_t>(value);
      continue;
    }
    keys = 0;
    for (bool more = !word.empty(); more; more = static_cast<bool>(words >> word)) {
      bool known = false;
      for (const RecordedKey& k : kKeys)
        if (word == k.name) keys |= k.bit, known = true;
      if (!known) Refuse(where + "\"" + word + "\" is not a key.");
    }
  }
  if (!ended) Refuse("it has no end line.");
  return r;
}
