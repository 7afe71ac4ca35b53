#include "base/settings_text.h"

#include <vector>

std::string EscapeSettingValue(std::string_view sValue) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(sValue.size());
  for (const char c : sValue) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (byte < 32 || byte == 127) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += c;
    }
  }
  return out;
}

std::string SettingsTextWith(std::string_view sText, std::string_view sSection,
                             std::string_view sKey, std::string_view sValue) {
  std::vector<std::string_view> lines;
  for (size_t at = 0; at < sText.size();) {
    const size_t end = sText.find('\n', at);
    lines.push_back(sText.substr(at, end == std::string_view::npos ? end : end - at));
    at = end == std::string_view::npos ? sText.size() : end + 1;
  }
  const std::string header = "[" + std::string(sSection) + "]";
  const std::string prefix = std::string(sKey) + "=";
  const std::string entry = prefix + EscapeSettingValue(sValue);
  // A file edited on Windows ends its lines with CR LF: "[General]\r" is the section too.
  auto isHeader = [&](std::string_view line) {
    if (line.ends_with('\r')) line.remove_suffix(1);
    return line == header;
  };
  size_t i = 0;
  while (i < lines.size() && !isHeader(lines[i])) ++i;
  if (i == lines.size()) {
    lines.push_back(header);
    lines.push_back(entry);
  } else {
    size_t j = i + 1;
    bool replaced = false;
    for (; j < lines.size() && !(!lines[j].empty() && lines[j][0] == '['); ++j) {
      if (lines[j].starts_with(prefix)) {
        lines[j] = entry;
        replaced = true;
        break;
      }
    }
    if (!replaced) lines.insert(lines.begin() + static_cast<long>(j), entry);
  }
  std::string text;
  for (const std::string_view line : lines) {
    text += line;
    text += '\n';
  }
  return text;
}
