#pragma once
// Text on the cairo pictures, laid out by pango in DejaVu Sans.

#include <cairo.h>
#include <pango/pangocairo.h>

#include <string>

namespace kelvane_sim {

struct Colour {
    double red = 0.0, green = 0.0, blue = 0.0, alpha = 1.0;
};

// A colour from 0..255 components.
Colour Rgb(int red, int green, int blue, int alpha = 255);
void SetColour(cairo_t* cairo, const Colour& colour);

// A layout of the text at a font size (its em) in the cairo context's units; the
// caller unrefs it with g_object_unref.
PangoLayout* MakeTextLayout(cairo_t* cairo, const std::string& text, double size, bool bold = false);

enum class Anchor { Left, Centre, Right };

// One or more lines of plain text whose top sits at y and whose anchor at x; returns
// the width and height it took.
struct TextExtent {
    double width = 0.0, height = 0.0;
};
TextExtent DrawLabel(cairo_t* cairo, const std::string& text, double x, double y, double size, const Colour& colour,
                     Anchor anchor = Anchor::Left, bool bold = false);
TextExtent MeasureLabel(cairo_t* cairo, const std::string& text, double size, bool bold = false);

}  // namespace kelvane_sim
