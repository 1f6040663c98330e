#pragma once
// The two drawing primitives of the display, a line of centred text and a flat
// rectangle, and the bar made of two rectangles. What they draw shows for the current
// frame only: callers draw again every frame. Positions and sizes are fractions of the
// screen, x from the left edge, y from the top.

#include <string>

namespace kelvane {

// One line of white text centred on x 0.5 at height y, in the display's one style.
void DrawCenteredText(float y, float scale, int alpha, std::string text);
void DrawCenteredTextOpaque(float y, float scale, std::string text);

// A rectangle centred on (x, y), w wide and of the display's line height, in
// (255, g, b, a).
void DrawHudRect(float x, float y, float w, int g, int b, int a);

// A gauge on the line y from x 0.45 to 0.55: a translucent white background and an
// opaque fill in (255, g, b) growing from its left edge. The fraction is held to 0..1,
// NaN counting as 0, so the fill never leaves the background.
void DrawHudBar(float y, float fraction, int g, int b);

}  // namespace kelvane
