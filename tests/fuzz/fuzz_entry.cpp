// The program libFuzzer builds around one target, chosen when it is compiled.
#include "tests/fuzz/fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return PIBO_FUZZ_TARGET(data, size);
}
