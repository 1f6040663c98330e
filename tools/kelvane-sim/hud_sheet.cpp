// The sheet is drawn with cairo; texts are laid out by pango, with the game's text edge
// as an outline.

#include "hud_sheet.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "cairo_picture.h"
#include "picture_text.h"

namespace kelvane_sim {

namespace {

constexpr double TileScale = 0.4;
constexpr int CloseUpWidth = 560;
constexpr int CloseUpGap = 14;
constexpr int Columns = 2;
constexpr int Margin = 32;
constexpr int Gap = 28;
constexpr int HeaderHeight = 104;
constexpr int CaptionHeight = 40;
constexpr int FooterHeight = 44;
constexpr double CaptionSize = 19.0;
const Colour SheetBackground = Rgb(242, 241, 237);
const Colour ScreenBackground = Rgb(92, 100, 108);  // neutral, so that white and translucent white both show
const Colour Ink = Rgb(30, 30, 30);
const Colour QuietInk = Rgb(90, 90, 90);
const Colour CloseUpFrame = Rgb(120, 120, 120);

int TileWidth() { return static_cast<int>(HudScreenWidth * TileScale); }
int TileHeight() { return static_cast<int>(HudScreenHeight * TileScale); }

std::string Seconds(double time) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", time);
    return text;
}

void DrawRect(cairo_t* cairo, const sim::DrawnRect& rect) {
    const double width = rect.width * HudScreenWidth;
    const double height = rect.height * HudScreenHeight;
    cairo_rectangle(cairo, rect.x * HudScreenWidth - width / 2.0, rect.y * HudScreenHeight - height / 2.0, width, height);
    SetColour(cairo, Rgb(rect.colour[0], rect.colour[1], rect.colour[2], rect.colour[3]));
    cairo_fill(cairo);
}

// _DRAW_TEXT's y is the top of the line; with centring on, x is its centre, and the line
// wraps within the wrap margins.
void DrawGameText(cairo_t* cairo, const sim::DrawnText& text) {
    const sim::TextStyle& style = text.style;
    if (style.scaleY <= 0.0f || style.scaleX <= 0.0f) return;
    PangoLayout* layout = MakeTextLayout(cairo, text.text, style.scaleY * HudEmPerTextScale);
    const double wrapWidth = std::max(0.0f, style.wrapEnd - style.wrapStart) * HudScreenWidth;
    double left = text.x * HudScreenWidth;
    if (style.centre) {
        pango_layout_set_alignment(layout, PANGO_ALIGN_CENTER);
        left -= wrapWidth / 2.0;
    }
    if (wrapWidth > 0.0) {
        pango_layout_set_width(layout, static_cast<int>(wrapWidth * PANGO_SCALE));
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
    }

    cairo_save(cairo);
    cairo_translate(cairo, left, text.y * HudScreenHeight);
    cairo_scale(cairo, style.scaleX / style.scaleY, 1.0);
    pango_cairo_update_layout(cairo, layout);
    const int* shadow = style.dropShadow;
    if (shadow[4] > 0) {
        cairo_save(cairo);
        cairo_translate(cairo, shadow[0], shadow[0]);
        SetColour(cairo, Rgb(shadow[1], shadow[2], shadow[3], shadow[4]));
        cairo_move_to(cairo, 0.0, 0.0);
        pango_cairo_show_layout(cairo, layout);
        cairo_restore(cairo);
    }
    const int* edge = style.edge;
    if (edge[4] > 0 && edge[0] > 0) {
        cairo_move_to(cairo, 0.0, 0.0);
        pango_cairo_layout_path(cairo, layout);
        // The stroke straddles the outline; the fill drawn next covers its inner half.
        cairo_set_line_width(cairo, 2.0 * edge[0]);
        cairo_set_line_join(cairo, CAIRO_LINE_JOIN_ROUND);
        SetColour(cairo, Rgb(edge[1], edge[2], edge[3], edge[4]));
        cairo_stroke(cairo);
    }
    SetColour(cairo, Rgb(style.colour[0], style.colour[1], style.colour[2], style.colour[3]));
    cairo_move_to(cairo, 0.0, 0.0);
    pango_cairo_show_layout(cairo, layout);
    cairo_restore(cairo);
    g_object_unref(layout);
}

// Fills a frame of the screen: the screen pixel (originX, originY) at the view's
// top-left corner, scale sheet pixels per screen pixel.
struct ScreenView {
    int left = 0, top = 0, width = 0, height = 0;
    double originX = 0.0, originY = 0.0, scale = 1.0;
};

void DrawView(cairo_t* cairo, const sim::HudMoment& moment, const ScreenView& view, const Colour& frame) {
    cairo_save(cairo);
    cairo_set_antialias(cairo, CAIRO_ANTIALIAS_NONE);
    cairo_rectangle(cairo, view.left - 1, view.top - 1, view.width + 2, view.height + 2);
    SetColour(cairo, frame);
    cairo_fill(cairo);
    cairo_rectangle(cairo, view.left, view.top, view.width, view.height);
    SetColour(cairo, ScreenBackground);
    cairo_fill(cairo);
    cairo_restore(cairo);

    cairo_save(cairo);
    cairo_rectangle(cairo, view.left, view.top, view.width, view.height);
    cairo_clip(cairo);
    cairo_translate(cairo, view.left, view.top);
    cairo_scale(cairo, view.scale, view.scale);
    cairo_translate(cairo, -view.originX, -view.originY);
    // In the order of the draw list, as the game draws it.
    for (const sim::DrawnRect& rect : moment.rects) DrawRect(cairo, rect);
    for (const sim::DrawnText& text : moment.texts) DrawGameText(cairo, text);
    cairo_restore(cairo);
}

struct Box {
    double left = HudScreenWidth, top = HudScreenHeight, right = 0.0, bottom = 0.0;
    void Add(double l, double t, double r, double b) {
        left = std::min(left, l), top = std::min(top, t), right = std::max(right, r), bottom = std::max(bottom, b);
    }
};

// What the frame shows, in screen pixels.
Box ElementsOf(cairo_t* cairo, const sim::HudMoment& moment) {
    Box box;
    for (const sim::DrawnRect& rect : moment.rects) {
        const double w = rect.width * HudScreenWidth, h = rect.height * HudScreenHeight;
        box.Add(rect.x * HudScreenWidth - w / 2.0, rect.y * HudScreenHeight - h / 2.0, rect.x * HudScreenWidth + w / 2.0,
                rect.y * HudScreenHeight + h / 2.0);
    }
    for (const sim::DrawnText& text : moment.texts) {
        const TextExtent extent = MeasureLabel(cairo, text.text, text.style.scaleY * HudEmPerTextScale);
        const double width = extent.width * text.style.scaleX / std::max(text.style.scaleY, 1e-6f);
        const double x = text.x * HudScreenWidth, y = text.y * HudScreenHeight;
        const double left = text.style.centre ? x - width / 2.0 : x;
        box.Add(left, y, left + width, y + extent.height);
    }
    return box;
}

// The part of the screen with something on it, at full size where it fits.
ScreenView CloseUp(cairo_t* cairo, const sim::HudMoment& moment, int left, int top) {
    ScreenView view{left, top, CloseUpWidth, TileHeight(), 0.0, 0.0, 1.0};
    Box box = ElementsOf(cairo, moment);
    if (box.right <= box.left) box = {0.0, 0.0, HudScreenWidth, HudScreenHeight};
    constexpr double Padding = 24.0;
    const double width = box.right - box.left + 2 * Padding, height = box.bottom - box.top + 2 * Padding;
    view.scale = std::min({1.0, view.width / width, view.height / height});
    const double shownWidth = view.width / view.scale, shownHeight = view.height / view.scale;
    view.originX = std::clamp((box.left + box.right - shownWidth) / 2.0, 0.0, std::max(0.0, HudScreenWidth - shownWidth));
    view.originY = std::clamp((box.top + box.bottom - shownHeight) / 2.0, 0.0, std::max(0.0, HudScreenHeight - shownHeight));
    return view;
}

std::string ScaleText(double scale) {
    char text[48];
    if (scale >= 0.999) return "close-up at full size";
    std::snprintf(text, sizeof text, "close-up at %.0f %% size", scale * 100.0);
    return text;
}

void DrawMoment(cairo_t* cairo, const sim::HudMoment& moment, const HudTile& tile) {
    const int left = static_cast<int>(tile.left), top = static_cast<int>(tile.top);
    const ScreenView screen{left, top, TileWidth(), TileHeight(), 0.0, 0.0, tile.scale};
    DrawView(cairo, moment, screen, Rgb(HudTileFrame[0], HudTileFrame[1], HudTileFrame[2]));
    const ScreenView close = CloseUp(cairo, moment, left + TileWidth() + CloseUpGap, top);
    DrawView(cairo, moment, close, CloseUpFrame);

    // Where the close-up lies on the screen.
    cairo_save(cairo);
    cairo_rectangle(cairo, left + close.originX * tile.scale, top + close.originY * tile.scale,
                    close.width / close.scale * tile.scale, close.height / close.scale * tile.scale);
    const double dash[2] = {4.0, 3.0};
    cairo_set_dash(cairo, dash, 2, 0.0);
    cairo_set_line_width(cairo, 1.0);
    SetColour(cairo, Rgb(255, 255, 255, 110));
    cairo_stroke(cairo);
    cairo_restore(cairo);

    const double captionTop = top + TileHeight() + 8;
    const TextExtent time = DrawLabel(cairo, Seconds(moment.time), left, captionTop, CaptionSize, Ink, Anchor::Left, true);
    DrawLabel(cairo, moment.caption, left + time.width + 14, captionTop, CaptionSize, Ink);
    DrawLabel(cairo, ScaleText(close.scale), close.left + close.width, captionTop + 2, CaptionSize - 4, QuietInk,
              Anchor::Right);
}

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

}  // namespace

HudSheetLayout LayOutHudSheet(std::size_t moments) {
    const int columns = moments < static_cast<std::size_t>(Columns) ? 1 : Columns;
    const int rows = static_cast<int>((moments + columns - 1) / columns);
    HudSheetLayout layout;
    const int cell = TileWidth() + CloseUpGap + CloseUpWidth;
    layout.width = 2 * Margin + columns * cell + (columns - 1) * Gap * 2;
    layout.height = HeaderHeight + std::max(rows, 1) * (TileHeight() + CaptionHeight + Gap) + FooterHeight;
    for (std::size_t i = 0; i < moments; ++i) {
        const int column = static_cast<int>(i) % columns, row = static_cast<int>(i) / columns;
        layout.tiles.push_back({static_cast<double>(Margin + column * (cell + Gap * 2)),
                                static_cast<double>(HeaderHeight + row * (TileHeight() + CaptionHeight + Gap)),
                                TileScale});
    }
    return layout;
}

bool WriteHudSheet(const sim::RideRecord& record, const std::filesystem::path& file, std::string& error) {
    const HudSheetLayout layout = LayOutHudSheet(record.moments.size());
    const CairoPicture picture(layout.width, layout.height, SheetBackground);
    cairo_t* cairo = picture.Context();

    DrawLabel(cairo, "The screen during " + record.scenario + ", at notable moments", Margin, 22, 28.0, Ink,
              Anchor::Left, true);
    char scaleNote[96];
    std::snprintf(scaleNote, sizeof scaleNote, "a text scale of 1.0 is drawn as a %.1f px font (1/16 of the screen height)",
                  HudEmPerTextScale);
    DrawLabel(cairo,
              "Each frame is drawn from its draw list on a 1920 x 1080 screen, shown at 40 % size, with a close-up of what it shows; " +
                  std::string(scaleNote) + ". Under each: the game time and why the frame was chosen.",
              Margin, 62, 17.0, QuietInk);

    for (std::size_t i = 0; i < record.moments.size(); ++i) DrawMoment(cairo, record.moments[i], layout.tiles[i]);
    const double footerTop = layout.height - FooterHeight + 4;
    if (record.moments.empty()) {
        DrawLabel(cairo, "The plug-in drew nothing on the screen in this run.", Margin, HeaderHeight, 20.0, Ink);
    }
    DrawLabel(cairo,
              "Gauges shown in this run: " + (record.gaugesShown.empty() ? std::string("none") : Joined(record.gaugesShown)) + ".",
              Margin, footerTop, 17.0, QuietInk);

    return picture.WritePng(file, error);
}

}  // namespace kelvane_sim
