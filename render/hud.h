#pragma once
#include <cstdint>

// The colour of the health count: green at 5 or more, red at none, a mixture between; each
// component kept within 0..255 whatever the health.
uint32_t HealthColor(int nHealth);
