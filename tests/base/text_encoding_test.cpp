// The 8-bit text of the game's files and the UTF-8 of fonts and level sources.
#include "base/text_encoding.h"

#include <gtest/gtest.h>

TEST(TextEncoding, EveryByteSurvivesTheTripThroughUtf8) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");  // the euro sign
  EXPECT_EQ(Cp1252ToUtf8("\xC9milie"), "\xC3\x89milie");
}

TEST(TextEncoding, WhatTheGameCannotShowBecomesAQuestionMark) {
  EXPECT_EQ(Utf8ToCp1252("\xE2\x98\x83 snow"), "? snow");  // U+2603 has no byte
  EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");                  // cut short
  EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "??");               // overlong slash
  EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "???");          // a surrogate
}

TEST(TextEncoding, ControlCharactersFromAFileArePrintedAsEscapes) {
  EXPECT_EQ(PrintableText("Level 1: \x1b]0;owned\x07 go\r\n"),
            "Level 1: \\x1b]0;owned\\x07 go\\x0d\\x0a");
  EXPECT_EQ(PrintableText("caf\xC3\xA9 \x7f!"), "caf\xC3\xA9 \\x7f!") << "UTF-8 stays, DEL goes";
}
