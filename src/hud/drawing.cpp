#include "hud/drawing.h"

#include <utility>

#include "host/natives.h"

namespace kelvane {

namespace {

constexpr float RectHeight = 0.005f;
constexpr int RectRed = 255;

constexpr float BarCentreX = 0.5f;
constexpr float BarFullWidth = 0.1f;
constexpr float BarLeftEdge = 0.45f;
constexpr int BarBackgroundAlpha = 63;
constexpr int BarFillAlpha = 255;

constexpr int OpaqueAlpha = 255;

}  // namespace

void DrawCenteredText(float y, float scale, int alpha, std::string text) {
    // The game keeps no text style between draws: set all of it every time.
    SET_TEXT_FONT(0);
    SET_TEXT_SCALE(scale, scale);
    SET_TEXT_COLOUR(255, 255, 255, alpha);
    SET_TEXT_WRAP(0.0f, 1.0f);
    SET_TEXT_CENTRE(true);
    SET_TEXT_DROPSHADOW(1, 0, 0, 0, 0);
    SET_TEXT_EDGE(1, 0, 0, 0, 205);
    _SET_TEXT_ENTRY("STRING");
    _ADD_TEXT_COMPONENT_STRING(text.c_str());
    _DRAW_TEXT(0.5f, y);
}

void DrawCenteredTextOpaque(float y, float scale, std::string text) {
    DrawCenteredText(y, scale, OpaqueAlpha, std::move(text));
}

void DrawHudRect(float x, float y, float w, int g, int b, int a) {
    DRAW_RECT(x, y, w, RectHeight, RectRed, g, b, a);
}

void DrawHudBar(float y, float fraction, int g, int b) {
    // A fill wider than the background, or a NaN width reaching the game, would draw
    // outside the gauge; the negated test also turns NaN into an empty fill.
    if (!(fraction > 0.0f)) fraction = 0.0f;
    if (fraction > 1.0f) fraction = 1.0f;
    DrawHudRect(BarCentreX, y, BarFullWidth, 255, 255, BarBackgroundAlpha);
    const float fillWidth = BarFullWidth * fraction;
    DrawHudRect(BarLeftEdge + fillWidth / 2.0f, y, fillWidth, g, b, BarFillAlpha);
}

}  // namespace kelvane
