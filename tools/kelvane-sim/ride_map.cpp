// The map is drawn with cairo in picture pixels; each panel maps metres to pixels with
// north up.

#include "ride_map.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <vector>

#include "cairo_picture.h"
#include "picture_text.h"

namespace kelvane_sim {

namespace {

using sim::MapPoint;
using sim::RideEvent;
using sim::RideRecord;

constexpr double Margin = 40.0;
constexpr double TitleHeight = 76.0;
constexpr double WholeMaxWidth = RideMapWidth - 2 * Margin;
constexpr double WholeMaxHeight = 900.0;
constexpr double DetailMaxWidth = 1000.0;
constexpr double DetailMaxHeight = 620.0;
constexpr double PanelGap = 64.0;
constexpr double LegendHeight = 420.0;
constexpr double WidestAspect = 3.0;  // a long thin ride still gets some height
constexpr double CarWidth = 3.1;      // m
constexpr double Pi = 3.14159265358979323846;

const Colour Paper = Rgb(250, 250, 247);
const Colour Ground = Rgb(234, 239, 228);
const Colour Ink = Rgb(30, 30, 30);
const Colour QuietInk = Rgb(95, 95, 95);
const Colour TrackColour = Rgb(MapTrackColour[0], MapTrackColour[1], MapTrackColour[2]);
const Colour WallColour = Rgb(150, 85, 30);
const Colour PlayerColour = Rgb(25, 95, 225);
const Colour WreckColour = Rgb(160, 25, 25);
const Colour ExplosionColour = Rgb(245, 150, 0);
const Colour DerailmentColour = Rgb(120, 0, 0);

Colour MomentColour(const std::string& moment) {
    if (moment == "boarding") return Rgb(140, 60, 180);
    if (moment == "leaving") return Rgb(0, 150, 165);
    if (moment == "derailment") return DerailmentColour;
    if (moment == "end") return Rgb(40, 40, 40);
    return Rgb(135, 135, 135);
}

const char* MomentWord(const std::string& moment) {
    if (moment == "boarding") return "boarded";
    if (moment == "leaving") return "left";
    if (moment == "derailment") return "derails";
    if (moment == "end") return "end";
    return "start";
}

struct Bounds {
    double xMin = std::numeric_limits<double>::infinity(), yMin = xMin;
    double xMax = -xMin, yMax = -xMin;
    void Add(const MapPoint& p) {
        xMin = std::min(xMin, p.x), xMax = std::max(xMax, p.x);
        yMin = std::min(yMin, p.y), yMax = std::max(yMax, p.y);
    }
    bool Empty() const { return !(xMax >= xMin); }
    double Width() const { return xMax - xMin; }
    double Height() const { return yMax - yMin; }
    void Pad(double metres) { xMin -= metres, xMax += metres, yMin -= metres, yMax += metres; }
    // Grows the short side about the centre until the box is at least this big.
    void AtLeast(double width, double height) {
        if (Width() < width) {
            const double grow = (width - Width()) / 2.0;
            xMin -= grow, xMax += grow;
        }
        if (Height() < height) {
            const double grow = (height - Height()) / 2.0;
            yMin -= grow, yMax += grow;
        }
    }
};

std::vector<MapPoint> CarCorners(const sim::RideCar& car) {
    const MapPoint f = car.forward, r{car.forward.y, -car.forward.x};
    const double a = car.length / 2.0, b = CarWidth / 2.0;
    const MapPoint c = car.centre;
    return {{c.x + a * f.x + b * r.x, c.y + a * f.y + b * r.y},
            {c.x + a * f.x - b * r.x, c.y + a * f.y - b * r.y},
            {c.x - a * f.x - b * r.x, c.y - a * f.y - b * r.y},
            {c.x - a * f.x + b * r.x, c.y - a * f.y + b * r.y}};
}

// Where things happened: the player, the trains, the wrecks, the walls.
Bounds ActionBounds(const RideRecord& record) {
    Bounds bounds;
    for (const sim::RideFrame& frame : record.frames) {
        bounds.Add(frame.player);
        for (const sim::RideTrainSample& train : frame.trains) bounds.Add(train.lead);
    }
    for (const sim::RideSnapshot& snapshot : record.snapshots) {
        for (const sim::RideCar& car : snapshot.cars) {
            for (const MapPoint& corner : CarCorners(car)) bounds.Add(corner);
        }
    }
    for (const sim::RideWreck& wreck : record.wrecks) {
        for (const MapPoint& p : wreck.path) bounds.Add(p);
    }
    for (const sim::RideWall& wall : record.walls) bounds.Add(wall.from), bounds.Add(wall.to);
    for (const RideEvent& event : record.events) bounds.Add(event.where);
    if (bounds.Empty()) {
        for (const sim::RideTrack& track : record.tracks) {
            for (const MapPoint& p : track.points) bounds.Add(p);
        }
    }
    if (bounds.Empty()) bounds.Add({0.0, 0.0});
    return bounds;
}

// The derailment: the wrecks, the explosions and the train where it left the rails.
Bounds DerailmentBounds(const RideRecord& record) {
    Bounds bounds;
    for (const sim::RideWreck& wreck : record.wrecks) {
        for (const MapPoint& p : wreck.path) bounds.Add(p);
    }
    for (const RideEvent& event : record.events) {
        if (event.kind == RideEvent::Kind::Explosion || event.kind == RideEvent::Kind::Derailment) bounds.Add(event.where);
    }
    for (const sim::RideSnapshot& snapshot : record.snapshots) {
        if (snapshot.moment != "derailment") continue;
        for (const sim::RideCar& car : snapshot.cars) bounds.Add(car.centre);
    }
    return bounds;
}

MapView Fit(const Bounds& world, double left, double top, double maxWidth, double maxHeight) {
    MapView view;
    view.scale = std::min(maxWidth / world.Width(), maxHeight / world.Height());
    view.width = world.Width() * view.scale;
    view.height = world.Height() * view.scale;
    view.left = left;
    view.top = top;
    view.xMin = world.xMin;
    view.yMax = world.yMax;
    return view;
}

void MoveTo(cairo_t* cairo, const MapView& view, const MapPoint& p) {
    cairo_move_to(cairo, view.PixelX(p.x), view.PixelY(p.y));
}
void LineTo(cairo_t* cairo, const MapView& view, const MapPoint& p) {
    cairo_line_to(cairo, view.PixelX(p.x), view.PixelY(p.y));
}

void Stroke(cairo_t* cairo, const Colour& colour, double width, double dash = 0.0) {
    SetColour(cairo, colour);
    cairo_set_line_width(cairo, width);
    if (dash > 0.0) {
        const double pattern[2] = {dash, dash * 0.8};
        cairo_set_dash(cairo, pattern, 2, 0.0);
    } else {
        cairo_set_dash(cairo, nullptr, 0, 0.0);
    }
    cairo_stroke(cairo);
    cairo_set_dash(cairo, nullptr, 0, 0.0);
}

void DrawTracks(cairo_t* cairo, const MapView& view, const RideRecord& record) {
    for (const sim::RideTrack& track : record.tracks) {
        if (track.points.empty()) continue;
        MoveTo(cairo, view, track.points.front());
        for (const MapPoint& p : track.points) LineTo(cairo, view, p);
        if (track.loop) cairo_close_path(cairo);
        cairo_set_line_join(cairo, CAIRO_LINE_JOIN_ROUND);
        Stroke(cairo, TrackColour, 3.0);
    }
}

void DrawWalls(cairo_t* cairo, const MapView& view, const RideRecord& record) {
    for (const sim::RideWall& wall : record.walls) {
        MoveTo(cairo, view, wall.from);
        LineTo(cairo, view, wall.to);
        cairo_set_line_cap(cairo, CAIRO_LINE_CAP_ROUND);
        Stroke(cairo, WallColour, std::max(3.0, 0.6 * view.scale));
        cairo_set_line_cap(cairo, CAIRO_LINE_CAP_BUTT);
    }
}

// On foot a solid line; riding, a thin dashed one along the rails.
void DrawPlayer(cairo_t* cairo, const MapView& view, const RideRecord& record) {
    for (bool onFoot : {false, true}) {
        bool drawing = false;
        for (const sim::RideFrame& frame : record.frames) {
            if (frame.playerOnFoot != onFoot) {
                drawing = false;
                continue;
            }
            if (!drawing) MoveTo(cairo, view, frame.player);
            LineTo(cairo, view, frame.player);
            drawing = true;
        }
        cairo_set_line_join(cairo, CAIRO_LINE_JOIN_ROUND);
        Stroke(cairo, PlayerColour, onFoot ? 2.6 : 1.4, onFoot ? 0.0 : 6.0);
    }
}

void DrawCars(cairo_t* cairo, const MapView& view, const sim::RideSnapshot& snapshot) {
    for (const sim::RideCar& car : snapshot.cars) {
        const std::vector<MapPoint> corners = CarCorners(car);
        MoveTo(cairo, view, corners[0]);
        for (const MapPoint& corner : corners) LineTo(cairo, view, corner);
        cairo_close_path(cairo);
        Colour fill = MomentColour(snapshot.moment);
        fill.alpha = 0.55;
        SetColour(cairo, fill);
        cairo_fill_preserve(cairo);
        Stroke(cairo, MomentColour(snapshot.moment), 1.2);
    }
}

void DrawWrecks(cairo_t* cairo, const MapView& view, const RideRecord& record) {
    for (const sim::RideWreck& wreck : record.wrecks) {
        if (wreck.path.empty()) continue;
        MoveTo(cairo, view, wreck.path.front());
        for (const MapPoint& p : wreck.path) LineTo(cairo, view, p);
        Stroke(cairo, WreckColour, 2.0);
        const MapPoint& last = wreck.path.back();
        cairo_rectangle(cairo, view.PixelX(last.x) - 3.5, view.PixelY(last.y) - 3.5, 7.0, 7.0);
        SetColour(cairo, WreckColour);
        cairo_fill(cairo);
    }
}

void DrawExplosionMark(cairo_t* cairo, double x, double y) {
    constexpr int Points = 8;
    for (int i = 0; i < 2 * Points; ++i) {
        const double angle = Pi * i / Points;
        const double radius = i % 2 == 0 ? 9.0 : 4.0;
        const double px = x + radius * std::sin(angle), py = y - radius * std::cos(angle);
        if (i == 0) cairo_move_to(cairo, px, py); else cairo_line_to(cairo, px, py);
    }
    cairo_close_path(cairo);
    SetColour(cairo, ExplosionColour);
    cairo_fill_preserve(cairo);
    Stroke(cairo, Rgb(120, 60, 0), 1.0);
}

void DrawDerailmentMark(cairo_t* cairo, double x, double y) {
    for (double sign : {-1.0, 1.0}) {
        cairo_move_to(cairo, x - 10.0, y - 10.0 * sign);
        cairo_line_to(cairo, x + 10.0, y + 10.0 * sign);
    }
    cairo_set_line_cap(cairo, CAIRO_LINE_CAP_ROUND);
    Stroke(cairo, Rgb(255, 255, 255), 6.0);
    for (double sign : {-1.0, 1.0}) {
        cairo_move_to(cairo, x - 10.0, y - 10.0 * sign);
        cairo_line_to(cairo, x + 10.0, y + 10.0 * sign);
    }
    Stroke(cairo, DerailmentColour, 3.5);
    cairo_set_line_cap(cairo, CAIRO_LINE_CAP_BUTT);
}

void DrawEvents(cairo_t* cairo, const MapView& view, const RideRecord& record) {
    for (const RideEvent& event : record.events) {
        if (event.kind == RideEvent::Kind::Explosion) DrawExplosionMark(cairo, view.PixelX(event.where.x), view.PixelY(event.where.y));
    }
    for (const RideEvent& event : record.events) {
        if (event.kind == RideEvent::Kind::Derailment) DrawDerailmentMark(cairo, view.PixelX(event.where.x), view.PixelY(event.where.y));
    }
}

std::string Seconds(double time) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", time);
    return text;
}

// One label per train and place: "freight: start, boarded 2.0 s". A label that would
// cover another moves down.
void LabelSnapshots(cairo_t* cairo, const MapView& view, const RideRecord& record) {
    struct Label {
        std::string train, text;
        MapPoint at;
    };
    std::vector<Label> labels;
    for (const sim::RideSnapshot& snapshot : record.snapshots) {
        if (snapshot.cars.empty()) continue;
        const MapPoint at = snapshot.cars.front().centre;
        const std::string word = MomentWord(snapshot.moment) + (snapshot.moment == "start" ? "" : " " + Seconds(snapshot.time));
        auto same = std::find_if(labels.begin(), labels.end(), [&](const Label& label) {
            return label.train == snapshot.train && std::hypot(label.at.x - at.x, label.at.y - at.y) * view.scale < 30.0;
        });
        if (same != labels.end()) {
            same->text += ", " + word;
        } else {
            labels.push_back({snapshot.train, snapshot.train + ": " + word, at});
        }
    }
    constexpr double Size = 15.0;
    struct Placed {
        double x, y, width, height;
    };
    std::vector<Placed> placed;
    for (const Label& label : labels) {
        const TextExtent extent = MeasureLabel(cairo, label.text, Size);
        const double x = std::clamp(view.PixelX(label.at.x) - extent.width / 2.0, view.left + 4.0,
                                    view.left + view.width - extent.width - 4.0);
        double y = view.PixelY(label.at.y) - 34.0;
        for (bool moved = true; moved;) {
            moved = false;
            for (const Placed& other : placed) {
                const bool overlaps = x < other.x + other.width + 8.0 && other.x < x + extent.width + 8.0 &&
                                      y < other.y + other.height && other.y < y + extent.height;
                if (overlaps) {
                    y = other.y - extent.height - 2.0;
                    moved = true;
                }
            }
        }
        y = std::clamp(y, view.top + 2.0, view.top + view.height - extent.height - 2.0);
        placed.push_back({x, y, extent.width, extent.height});
        cairo_rectangle(cairo, x - 3.0, y, extent.width + 6.0, extent.height);
        SetColour(cairo, Rgb(255, 255, 255, 200));
        cairo_fill(cairo);
        DrawLabel(cairo, label.text, x, y, Size, Ink);
    }
}

// A round length near a fifth of the panel, in halves of black and white.
void DrawScaleBar(cairo_t* cairo, const MapView& view) {
    const double target = view.width * 0.2 / view.scale;
    double metres = std::pow(10.0, std::floor(std::log10(target)));
    for (double step : {5.0, 2.0}) {
        if (metres * step <= target) {
            metres *= step;
            break;
        }
    }
    const double length = metres * view.scale;
    const double x = view.left + 18.0, y = view.top + view.height - 22.0;
    cairo_rectangle(cairo, x - 8.0, y - 30.0, length + 16.0, 42.0);
    SetColour(cairo, Rgb(255, 255, 255, 215));
    cairo_fill(cairo);
    for (int half = 0; half < 2; ++half) {
        cairo_rectangle(cairo, x + half * length / 2.0, y, length / 2.0, 6.0);
        SetColour(cairo, half == 0 ? Ink : Rgb(255, 255, 255));
        cairo_fill_preserve(cairo);
        Stroke(cairo, Ink, 1.0);
    }
    char text[32];
    std::snprintf(text, sizeof text, "%g m", metres);
    DrawLabel(cairo, text, x + length / 2.0, y - 26.0, 16.0, Ink, Anchor::Centre, true);
}

void DrawNorth(cairo_t* cairo, const MapView& view) {
    const double x = view.left + view.width - 26.0, y = view.top + view.height - 48.0;
    cairo_move_to(cairo, x, y);
    cairo_line_to(cairo, x + 8.0, y + 20.0);
    cairo_line_to(cairo, x - 8.0, y + 20.0);
    cairo_close_path(cairo);
    SetColour(cairo, Ink);
    cairo_fill(cairo);
    DrawLabel(cairo, "N", x, y + 21.0, 14.0, Ink, Anchor::Centre, true);
}

void DrawPanel(cairo_t* cairo, const MapView& view, const RideRecord& record, const std::string& title, bool labels) {
    DrawLabel(cairo, title, view.left, view.top - 30.0, 19.0, Ink, Anchor::Left, true);
    cairo_save(cairo);
    cairo_rectangle(cairo, view.left, view.top, view.width, view.height);
    SetColour(cairo, Ground);
    cairo_fill_preserve(cairo);
    cairo_clip(cairo);
    DrawTracks(cairo, view, record);
    DrawWalls(cairo, view, record);
    for (const sim::RideSnapshot& snapshot : record.snapshots) DrawCars(cairo, view, snapshot);
    DrawPlayer(cairo, view, record);
    DrawWrecks(cairo, view, record);
    DrawEvents(cairo, view, record);
    if (labels) LabelSnapshots(cairo, view, record);
    DrawScaleBar(cairo, view);
    DrawNorth(cairo, view);
    cairo_restore(cairo);
    cairo_rectangle(cairo, view.left, view.top, view.width, view.height);
    Stroke(cairo, Rgb(120, 120, 120), 1.0);
}

// A sample of each kind of mark, with its meaning.
void DrawLegend(cairo_t* cairo, const MapLayout& layout, const RideRecord& record) {
    double x = layout.legendLeft, y = layout.legendTop;
    DrawLabel(cairo, "Legend", x, y - 30.0, 19.0, Ink, Anchor::Left, true);
    constexpr double Row = 30.0, Sample = 46.0, Size = 16.0;
    const auto entry = [&](const std::string& text, auto drawSample) {
        drawSample(x, y + 11.0);
        DrawLabel(cairo, text, x + Sample + 14.0, y, Size, Ink);
        y += Row;
    };
    const auto line = [&](const Colour& colour, double width, double dash) {
        return [&, width, dash](double sx, double sy) {
            cairo_move_to(cairo, sx, sy);
            cairo_line_to(cairo, sx + Sample, sy);
            Stroke(cairo, colour, width, dash);
        };
    };
    const auto happened = [&](RideEvent::Kind kind) {
        return std::any_of(record.events.begin(), record.events.end(), [&](const RideEvent& e) { return e.kind == kind; });
    };
    const auto player = [&](bool onFoot) {
        return std::any_of(record.frames.begin(), record.frames.end(),
                           [&](const sim::RideFrame& frame) { return frame.playerOnFoot == onFoot; });
    };
    entry("track", line(TrackColour, 3.0, 0.0));
    if (!record.walls.empty()) entry("wall that stops sliding vehicles", line(WallColour, 4.0, 0.0));
    if (player(true)) entry("the player on foot", line(PlayerColour, 2.6, 0.0));
    if (player(false)) entry("the player riding", line(PlayerColour, 1.4, 6.0));
    std::vector<std::string> moments;
    for (const sim::RideSnapshot& snapshot : record.snapshots) {
        if (std::find(moments.begin(), moments.end(), snapshot.moment) == moments.end()) moments.push_back(snapshot.moment);
    }
    for (const std::string& moment : moments) {
        const std::string text = moment == "start" ? "a train where it started"
                                 : moment == "end" ? "a train where it was at the end"
                                                   : std::string("a train where the player ") +
                                                         (moment == "boarding" ? "boarded it" : moment == "leaving" ? "left it" : "derailed it");
        entry(text, [&](double sx, double sy) {
            Colour fill = MomentColour(moment);
            fill.alpha = 0.55;
            cairo_rectangle(cairo, sx + 4.0, sy - 5.0, Sample - 8.0, 10.0);
            SetColour(cairo, fill);
            cairo_fill_preserve(cairo);
            Stroke(cairo, MomentColour(moment), 1.2);
        });
    }
    if (!record.wrecks.empty()) entry("a wreck's path, to where it came to rest", [&](double sx, double sy) {
        cairo_move_to(cairo, sx, sy + 4.0);
        cairo_line_to(cairo, sx + Sample - 6.0, sy - 3.0);
        Stroke(cairo, WreckColour, 2.0);
        cairo_rectangle(cairo, sx + Sample - 9.5, sy - 6.5, 7.0, 7.0);
        SetColour(cairo, WreckColour);
        cairo_fill(cairo);
    });
    if (happened(RideEvent::Kind::Explosion)) {
        entry("explosion", [&](double sx, double sy) { DrawExplosionMark(cairo, sx + Sample / 2.0, sy); });
    }
    if (happened(RideEvent::Kind::Derailment)) {
        entry("derailment", [&](double sx, double sy) { DrawDerailmentMark(cairo, sx + Sample / 2.0, sy); });
    }
}

}  // namespace

bool MapView::Shows(const MapPoint& p) const {
    const double x = PixelX(p.x), y = PixelY(p.y);
    return x >= left && x <= left + width && y >= top && y <= top + height;
}

MapLayout LayOutMap(const RideRecord& record) {
    MapLayout layout;
    Bounds whole = ActionBounds(record);
    whole.Pad(std::max(15.0, 0.06 * std::max(whole.Width(), whole.Height())));
    whole.AtLeast(0.0, whole.Width() / WidestAspect);
    layout.whole = Fit(whole, 0.0, TitleHeight + 56.0, WholeMaxWidth, WholeMaxHeight);
    layout.whole.left = (RideMapWidth - layout.whole.width) / 2.0;
    const double below = layout.whole.top + layout.whole.height + PanelGap;

    Bounds detail = DerailmentBounds(record);
    if (!detail.Empty()) {
        detail.Pad(12.0);
        detail.AtLeast(60.0, 40.0);
        if (std::max(detail.Width(), detail.Height()) < 0.4 * std::max(whole.Width(), whole.Height())) {
            layout.detail = Fit(detail, Margin, below, DetailMaxWidth, DetailMaxHeight);
        }
    }
    layout.legendLeft = layout.detail ? layout.detail->left + layout.detail->width + 60.0 : Margin;
    layout.legendTop = below;
    const double detailBottom = layout.detail ? layout.detail->top + layout.detail->height : below;
    layout.height = static_cast<int>(std::max(detailBottom, below + LegendHeight) + Margin);
    return layout;
}

bool WriteRideMap(const RideRecord& record, const std::filesystem::path& file, std::string& error) {
    const MapLayout layout = LayOutMap(record);
    const CairoPicture picture(layout.width, layout.height, Paper);
    cairo_t* cairo = picture.Context();
    DrawLabel(cairo, "The ride from above: " + record.scenario, Margin, 20.0, 28.0, Ink, Anchor::Left, true);
    DrawLabel(cairo, "North is up; x grows east, y north, in metres. Trains are drawn car by car where they stood at the ride's moments.",
              Margin, 60.0, 16.0, QuietInk);

    DrawPanel(cairo, layout.whole, record, "The whole ride", true);
    if (layout.detail) {
        const MapView& detail = *layout.detail;
        DrawPanel(cairo, detail, record, "The derailment up close", false);
        // Where the close-up lies on the whole map.
        const double left = layout.whole.PixelX(detail.xMin), top = layout.whole.PixelY(detail.yMax);
        const double width = detail.width / detail.scale * layout.whole.scale;
        const double height = detail.height / detail.scale * layout.whole.scale;
        cairo_rectangle(cairo, left, top, width, height);
        Stroke(cairo, DerailmentColour, 1.5, 5.0);
    }
    DrawLegend(cairo, layout, record);

    return picture.WritePng(file, error);
}

}  // namespace kelvane_sim
