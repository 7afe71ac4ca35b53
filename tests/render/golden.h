#pragma once
// Golden images: what the player sees, compared pixel for pixel against committed PNGs in
// tests/render/golden/. Run the tests with PIBO_UPDATE_GOLDEN=1 to rewrite the expected images
// after a deliberate change of the pictures or the drawing; look at them before committing.
#include <string>

class Surface;

namespace testing_support {

// Empty when the surface matches tests/render/golden/<name>.png, else what differs. A mismatch
// leaves the actual picture beside the build as <name>.actual.png.
std::string CompareWithGolden(const Surface& surface, const std::string& name);

}  // namespace testing_support
