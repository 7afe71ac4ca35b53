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

std::string UnescapeSettingValue(std::string_view sValue) {
  std::string out;
  out.reserve(sValue.size());
  const auto hex = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  for (size_t i = 0; i < sValue.size(); ++i) {
    const char c = sValue[i];
    const char next = i + 1 < sValue.size() ? sValue[i + 1] : '\0';
    if (c == '\\' && (next == '\\' || next == 'n' || next == 'r')) {
      out += next == 'n' ? '\n' : next == 'r' ? '\r' : '\\';
      ++i;
    } else if (c == '\\' && next == 'x' && i + 3 < sValue.size() && hex(sValue[i + 2]) >= 0 &&
               hex(sValue[i + 3]) >= 0) {
      out += static_cast<char>(hex(sValue[i + 2]) * 16 + hex(sValue[i + 3]));
      i += 3;
    } else {
      out += c;
    }
  }
  return out;
}

SettingsSections ReadSettingsText(std::string_view sText) {
  SettingsSections sections;
  std::string section;
  for (size_t at = 0; at < sText.size();) {
    const size_t end = sText.find('\n', at);
    std::string_view line = sText.substr(at, end == std::string_view::npos ? end : end - at);
    at = end == std::string_view::npos ? sText.size() : end + 1;
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      section = std::string(line.substr(1, line.size() - 2));
      continue;
    }
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals == 0) continue;
    sections[section][std::string(line.substr(0, equals))] =
        UnescapeSettingValue(line.substr(equals + 1));
  }
  return sections;
}
