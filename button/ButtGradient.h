// Linear gradients in strips: the colour steps, and the painter that lays
// them over the back buffer in the direction of GradientMode.
#pragma once

#include <cstdint>
#include <vector>

struct ButtState;

// Fills every entry of `colours` with the steps from `fromColour` (entry 0,
// unchanged) to `toColour` (the last entry), accumulating in single
// precision and flooring each channel. 0x00BBGGRR colours.
void BuildGradient(std::vector<int32_t>& colours, int32_t fromColour, int32_t toColour);

// Number of strips and their width for a gradient over `length` pixels when
// the screen measures `screenLength` in the same direction: a control wider
// than a quarter of the screen gets 2-pixel strips.
struct GradientStrips {
  int count;
  int width;
};
GradientStrips GradientStripsFor(int length, int screenLength);

// Paints the whole back buffer, within its current clip, from fromColour to
// toColour in the direction of a GradientMode value: 1 left to right, 2
// right to left, 3 top to bottom, 4 bottom to top. Plain RGB colours.
void PaintGradient(ButtState& s, int32_t mode, int32_t fromColour, int32_t toColour);
