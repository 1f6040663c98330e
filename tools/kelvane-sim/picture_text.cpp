#include "picture_text.h"

namespace kelvane_sim {

namespace {

constexpr const char* FontFamily = "DejaVu Sans";

TextExtent ExtentOf(PangoLayout* layout) {
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    return {static_cast<double>(logical.width) / PANGO_SCALE, static_cast<double>(logical.height) / PANGO_SCALE};
}

}  // namespace

Colour Rgb(int red, int green, int blue, int alpha) { return {red / 255.0, green / 255.0, blue / 255.0, alpha / 255.0}; }

void SetColour(cairo_t* cairo, const Colour& colour) {
    cairo_set_source_rgba(cairo, colour.red, colour.green, colour.blue, colour.alpha);
}

PangoLayout* MakeTextLayout(cairo_t* cairo, const std::string& text, double size, bool bold) {
    PangoLayout* layout = pango_cairo_create_layout(cairo);
    PangoFontDescription* font = pango_font_description_new();
    pango_font_description_set_family(font, FontFamily);
    pango_font_description_set_weight(font, bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_absolute_size(font, size * PANGO_SCALE);
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);
    pango_layout_set_text(layout, text.c_str(), static_cast<int>(text.size()));
    return layout;
}

TextExtent MeasureLabel(cairo_t* cairo, const std::string& text, double size, bool bold) {
    PangoLayout* layout = MakeTextLayout(cairo, text, size, bold);
    const TextExtent extent = ExtentOf(layout);
    g_object_unref(layout);
    return extent;
}

TextExtent DrawLabel(cairo_t* cairo, const std::string& text, double x, double y, double size, const Colour& colour,
                     Anchor anchor, bool bold) {
    PangoLayout* layout = MakeTextLayout(cairo, text, size, bold);
    const TextExtent extent = ExtentOf(layout);
    const double left = anchor == Anchor::Left ? x : anchor == Anchor::Centre ? x - extent.width / 2.0 : x - extent.width;
    cairo_save(cairo);
    SetColour(cairo, colour);
    cairo_move_to(cairo, left, y);
    pango_cairo_show_layout(cairo, layout);
    cairo_restore(cairo);
    g_object_unref(layout);
    return extent;
}

}  // namespace kelvane_sim
