#include "base/key_names.h"

#include <algorithm>
#include <cctype>

namespace {

struct NamedKey {
  int key;
  std::string_view name;
};

constexpr NamedKey kNames[] = {
    {0x01, "Esc"},          {0x02, "1"},
    {0x03, "2"},            {0x04, "3"},
    {0x05, "4"},            {0x06, "5"},
    {0x07, "6"},            {0x08, "7"},
    {0x09, "8"},            {0x0A, "9"},
    {0x0B, "0"},            {0x0C, "Minus"},
    {0x0D, "Equals"},       {0x0E, "Backspace"},
    {0x0F, "Tab"},          {0x10, "Q"},
    {0x11, "W"},            {0x12, "E"},
    {0x13, "R"},            {0x14, "T"},
    {0x15, "Y"},            {0x16, "U"},
    {0x17, "I"},            {0x18, "O"},
    {0x19, "P"},            {0x1A, "Left Bracket"},
    {0x1B, "Right Bracket"}, {0x1C, "Enter"},
    {0x1D, "Left Ctrl"},    {0x1E, "A"},
    {0x1F, "S"},            {0x20, "D"},
    {0x21, "F"},            {0x22, "G"},
    {0x23, "H"},            {0x24, "J"},
    {0x25, "K"},            {0x26, "L"},
    {0x27, "Semicolon"},    {0x28, "Apostrophe"},
    {0x29, "Grave"},        {0x2A, "Left Shift"},
    {0x2B, "Backslash"},    {0x2C, "Z"},
    {0x2D, "X"},            {0x2E, "C"},
    {0x2F, "V"},            {0x30, "B"},
    {0x31, "N"},            {0x32, "M"},
    {0x33, "Comma"},        {0x34, "Period"},
    {0x35, "Slash"},        {0x36, "Right Shift"},
    {0x37, "Keypad *"},     {0x38, "Left Alt"},
    {0x39, "Space"},        {0x3A, "Caps Lock"},
    {0x3B, "F1"},           {0x3C, "F2"},
    {0x3D, "F3"},           {0x3E, "F4"},
    {0x3F, "F5"},           {0x40, "F6"},
    {0x41, "F7"},           {0x42, "F8"},
    {0x43, "F9"},           {0x44, "F10"},
    {0x45, "Num Lock"},     {0x46, "Scroll Lock"},
    {0x47, "Keypad 7"},     {0x48, "Keypad 8"},
    {0x49, "Keypad 9"},     {0x4A, "Keypad -"},
    {0x4B, "Keypad 4"},     {0x4C, "Keypad 5"},
    {0x4D, "Keypad 6"},     {0x4E, "Keypad +"},
    {0x4F, "Keypad 1"},     {0x50, "Keypad 2"},
    {0x51, "Keypad 3"},     {0x52, "Keypad 0"},
    {0x53, "Keypad ."},     {0x57, "F11"},
    {0x58, "F12"},          {0x9C, "Keypad Enter"},
    {0x9D, "Right Ctrl"},   {0xB5, "Keypad /"},
    {0xB7, "Print Screen"}, {0xB8, "Right Alt"},
    {0xC5, "Pause"},        {0xC7, "Home"},
    {0xC8, "Up"},           {0xC9, "Page Up"},
    {0xCB, "Left"},         {0xCD, "Right"},
    {0xCF, "End"},          {0xD0, "Down"},
    {0xD1, "Page Down"},    {0xD2, "Insert"},
    {0xD3, "Delete"},       {0xDB, "Left Windows"},
    {0xDC, "Right Windows"}, {0xDD, "Menu"},
};

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::string_view KeyName(int nKey) {
  for (const NamedKey& named : kNames)
    if (named.key == nKey) return named.name;
  return {};
}

int KeyFromName(std::string_view sName) {
  for (const NamedKey& named : kNames)
    if (SameName(named.name, sName)) return named.key;
  return 0;
}
