// The colour steps of a gradient (pure arithmetic, no drawing).
#include <algorithm>
#include <cmath>

#include "button/ButtGradient.h"

void BuildGradient(std::vector<int32_t>& colours, int32_t fromColour, int32_t toColour) {
  if (colours.empty()) return;
  colours[0] = fromColour;
  const auto upper = static_cast<int>(colours.size()) - 1;
  if (upper == 0) return;  // a single strip shows the start colour
  float c[3];
  float step[3];
  for (int j = 0; j < 3; ++j) {
    c[j] = static_cast<float>((fromColour >> (8 * j)) & 0xFF);
    const int e = (toColour >> (8 * j)) & 0xFF;
    step[j] = (static_cast<float>(e) - c[j]) / static_cast<float>(upper);
  }
  for (int k = 1; k <= upper; ++k) {
    int32_t colour = 0;
    for (int j = 0; j < 3; ++j) {
      c[j] = std::clamp(c[j] + step[j], 0.0f, 255.0f);
      colour += static_cast<int32_t>(std::floor(c[j])) << (8 * j);
    }
    colours[k] = colour;
  }
}

GradientStrips GradientStripsFor(int length, int screenLength) {
  if (length <= 0) return {0, 1};
  if (screenLength / length < 4) return {length / 2, 2};
  return {length, 1};
}
