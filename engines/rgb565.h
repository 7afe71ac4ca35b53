#pragma once
// The game's 16-bit RGB565 pixels as 32-bit ones with 8 bits a channel, worked out rather than
// looked up: eight pixels at a time where the processor has SSE2. Each channel is stretched to
// 0..255 exactly as SDL's own conversion stretches it (red and blue v * 1053 >> 7, green
// v * 2069 + 16 >> 9), so the screen shows the very colours SDL would give it.
#include <cstdint>

// Whether the conversion runs eight pixels at a time here; one at a time it is slower than a
// look-up table.
#if defined(__SSE2__)
constexpr bool RGB565_VECTORISED = true;
#else
constexpr bool RGB565_VECTORISED = false;
#endif

// `count` pixels, four bytes each in the machine's byte order: red in bits 16-23, green 8-15, blue
// 0-7 and `alpha` in the top byte.
void ConvertRgb565(const uint16_t* from, uint8_t* to, int count, uint8_t alpha);
