// Three panels over one time axis, stacked; PLplot draws the axes, ticks, labels and
// legends.

#include "ride_plot.h"

#include <plplot.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <set>

#include "plplot_page.h"

namespace kelvane_sim {

namespace {

using sim::RideEvent;
using sim::RideRecord;

// Colour map 0.
constexpr PLINT Ink = 1, Commanded = 2, TrainSpeed = 3, Cruise = 4, Bar = 5, Distance = 6, BoardingColour = 7,
                LeavingColour = 8, DerailmentColour = 9, ExplosionColour = 10, Grid = 11;
constexpr PLINT Solid = 1, ShortDashes = 2, LongDashes = 3;

constexpr PLFLT PlotLeft = 0.06, PlotRight = 0.73;
constexpr PLFLT CharacterScale = 0.62;
constexpr PLFLT LegendWidth = 0.2;
constexpr const char* ExplosionMark = "\u2731";

struct Series {
    std::vector<std::vector<PLFLT>> xs, ys;  // runs of frames in which the value exists
    void Add(double x, std::optional<double> y, bool continues) {
        if (!y) return;
        if (!continues || xs.empty()) {
            xs.emplace_back();
            ys.emplace_back();
        }
        xs.back().push_back(x);
        ys.back().push_back(*y);
    }
    std::optional<double> Top() const {
        std::optional<double> top;
        for (const auto& run : ys) {
            for (double y : run) top = std::max(top.value_or(y), y);
        }
        return top;
    }
    std::optional<double> Bottom() const {
        std::optional<double> bottom;
        for (const auto& run : ys) {
            for (double y : run) bottom = std::min(bottom.value_or(y), y);
        }
        return bottom;
    }
};

struct Line {
    Series series;
    PLINT colour = Ink;
    PLINT style = Solid;
    PLFLT width = 2.5;
    std::string label;
};

struct Legend {
    std::vector<PLINT> options, colours, styles, symbolColours, symbolNumbers;
    std::vector<PLFLT> widths, symbolScales;
    std::vector<std::string> texts;
    std::vector<const char*> symbols;

    void AddLine(PLINT colour, PLINT style, PLFLT width, const std::string& text) {
        Add(PL_LEGEND_LINE, colour, style, width, text);
    }
    void AddSymbol(PLINT colour, const std::string& text) { Add(PL_LEGEND_SYMBOL, colour, Solid, 1.0, text); }
    void AddNote(const std::string& text) { Add(PL_LEGEND_NONE, Ink, Solid, 1.0, text); }

    void Draw(PLFLT y) {
        if (texts.empty()) return;
        std::vector<const char*> textPointers;
        for (const std::string& text : texts) textPointers.push_back(text.c_str());
        const std::vector<PLINT> textColours(texts.size(), Ink);
        PLFLT width = 0.0, height = 0.0;
        pllegend(&width, &height, PL_LEGEND_BACKGROUND | PL_LEGEND_BOUNDING_BOX,
                 PL_POSITION_RIGHT | PL_POSITION_OUTSIDE, 0.015, y, LegendWidth * 0.3, 0, Ink, Solid,
                 static_cast<PLINT>(texts.size()), 1, static_cast<PLINT>(texts.size()), options.data(), 1.0, CharacterScale * 0.8, 1.8, 0.0, textColours.data(),
                 textPointers.data(), nullptr, nullptr, nullptr, nullptr, colours.data(), styles.data(), widths.data(),
                 symbolColours.data(), symbolScales.data(), symbolNumbers.data(), symbols.data());
    }

private:
    void Add(PLINT option, PLINT colour, PLINT style, PLFLT width, const std::string& text) {
        options.push_back(option);
        colours.push_back(colour);
        styles.push_back(style);
        widths.push_back(width);
        symbolColours.push_back(colour);
        symbolScales.push_back(0.6);
        symbolNumbers.push_back(1);
        symbols.push_back(ExplosionMark);
        texts.push_back(text);
    }
};

// The trains the player rode, or every train when the player rode none.
std::set<int> TrainsOfInterest(const RideRecord& record) {
    std::set<int> trains;
    for (const RideEvent& event : record.events) {
        if (event.kind != RideEvent::Kind::Boarding) continue;
        const auto name = std::find(record.trainNames.begin(), record.trainNames.end(), event.train);
        if (name != record.trainNames.end()) trains.insert(static_cast<int>(name - record.trainNames.begin()));
    }
    if (trains.empty()) {
        for (std::size_t i = 0; i < record.trainNames.size(); ++i) trains.insert(static_cast<int>(i));
    }
    return trains;
}

// A series over every frame, for one train; value gives nothing where it has no value.
template <typename Value>
Series TrainSeries(const RideRecord& record, int train, Value value) {
    Series series;
    bool continues = false;
    for (const sim::RideFrame& frame : record.frames) {
        std::optional<double> y;
        for (const sim::RideTrainSample& sample : frame.trains) {
            if (sample.train == train) y = value(frame, sample);
        }
        series.Add(frame.time, y, continues);
        continues = y.has_value();
    }
    return series;
}

double EndTime(const RideRecord& record) {
    const double last = record.frames.empty() ? 0.0 : record.frames.back().time;
    return std::max({record.duration, last, 1.0});
}

// Room above the highest value, and a bottom at 0 unless values go below.
std::pair<double, double> RangeOf(const std::vector<Line>& lines, double atLeast) {
    double top = atLeast, bottom = 0.0;
    for (const Line& line : lines) {
        top = std::max(top, line.series.Top().value_or(top));
        bottom = std::min(bottom, line.series.Bottom().value_or(bottom));
    }
    const double room = (top - bottom) * 0.08;
    return {bottom < 0.0 ? bottom - room : 0.0, top + room};
}

PLINT EventColour(RideEvent::Kind kind) {
    switch (kind) {
        case RideEvent::Kind::Boarding: return BoardingColour;
        case RideEvent::Kind::Leaving: return LeavingColour;
        case RideEvent::Kind::Derailment: return DerailmentColour;
        case RideEvent::Kind::Explosion: return ExplosionColour;
    }
    return Ink;
}

void DrawEventLines(const RideRecord& record, double yMin, double yMax) {
    for (const RideEvent& event : record.events) {
        if (event.kind == RideEvent::Kind::Explosion) continue;
        PLFLT x[2] = {event.time, event.time}, y[2] = {yMin, yMax};
        plcol0(EventColour(event.kind));
        pllsty(ShortDashes);
        plwidth(1.8);
        plline(2, x, y);
    }
    pllsty(Solid);
}

PlotPanel DrawPanel(const std::string& name, PLFLT bottom, PLFLT top, double xMax, double yMin, double yMax,
                    const std::vector<Line>& lines, const std::string& yLabel, bool timeLabels,
                    const RideRecord& record) {
    plvpor(PlotLeft, PlotRight, bottom, top);
    plwind(0.0, xMax, yMin, yMax);
    plcol0(Grid);
    plwidth(1.0);
    plbox("g", 0.0, 0, "g", 0.0, 0);
    DrawEventLines(record, yMin, yMax);
    for (const Line& line : lines) {
        plcol0(line.colour);
        pllsty(line.style);
        plwidth(line.width);
        for (std::size_t i = 0; i < line.series.xs.size(); ++i) {
            const auto& xs = line.series.xs[i];
            const auto& ys = line.series.ys[i];
            plline(static_cast<PLINT>(xs.size()), xs.data(), ys.data());
        }
    }
    pllsty(Solid);
    plwidth(1.0);
    plcol0(Ink);
    plbox(timeLabels ? "bcnst" : "bcst", 0.0, 0, "bcnstv", 0.0, 0);
    plmtex("l", 3.6, 0.5, 0.5, yLabel.c_str());
    if (timeLabels) plmtex("b", 3.0, 0.5, 0.5, "game time (s)");

    PLFLT left, right, low, high, worldLeft, worldRight, worldLow, worldHigh;
    plgvpd(&left, &right, &low, &high);
    plgvpw(&worldLeft, &worldRight, &worldLow, &worldHigh);
    return {name,          left * RidePlotWidth, right * RidePlotWidth, (1.0 - high) * RidePlotHeight,
            (1.0 - low) * RidePlotHeight, worldLeft, worldRight, worldLow, worldHigh};
}

const char* EventWord(RideEvent::Kind kind) {
    switch (kind) {
        case RideEvent::Kind::Boarding: return "boards";
        case RideEvent::Kind::Leaving: return "leaves";
        case RideEvent::Kind::Derailment: return "derails";
        case RideEvent::Kind::Explosion: return "explodes";
    }
    return "";
}

// Words above the top panel, and explosions as marks along its top edge; a word that
// would run into the one before it goes a line higher.
void LabelEvents(const RideRecord& record, double xMax, double yMax) {
    plschr(0.0, CharacterScale * 0.9);
    std::vector<std::pair<double, int>> placed;  // position along the axis, line
    int explosions = 0;
    for (const RideEvent& event : record.events) {
        if (event.kind == RideEvent::Kind::Explosion) {
            ++explosions;
            PLFLT x = event.time, y = yMax * 0.96;
            plcol0(ExplosionColour);
            plstring(1, &x, &y, ExplosionMark);
            if (explosions > 1) continue;
        }
        const double at = event.time / xMax;
        int line = 0;
        for (const auto& [position, used] : placed) {
            if (std::fabs(position - at) < 0.045 && used >= line) line = used + 1;
        }
        placed.emplace_back(at, line);
        plcol0(EventColour(event.kind));
        plmtex("t", 0.6 + 1.3 * line, at, 0.5, EventWord(event.kind));
    }
    plschr(0.0, CharacterScale);
}

std::string Named(const std::string& what, const RideRecord& record, int train, std::size_t trains) {
    return trains > 1 ? what + " (" + record.trainNames[train] + ")" : what;
}

}  // namespace

bool WriteRidePlot(const RideRecord& record, const std::filesystem::path& file, std::string& error,
                   std::vector<PlotPanel>* panels) {
    if (!StartPlplotPicture(file, RidePlotWidth, RidePlotHeight, error)) return false;
    plscol0(Ink, 0, 0, 0);
    plscol0(Commanded, CommandedSpeedColour[0], CommandedSpeedColour[1], CommandedSpeedColour[2]);
    plscol0(TrainSpeed, 150, 150, 150);
    plscol0(Cruise, 225, 110, 0);
    plscol0(Bar, 205, 30, 45);
    plscol0(Distance, 20, 140, 60);
    plscol0(BoardingColour, 140, 60, 180);
    plscol0(LeavingColour, 0, 150, 165);
    plscol0(DerailmentColour, 120, 0, 0);
    plscol0(ExplosionColour, 245, 150, 0);
    plscol0(Grid, 222, 222, 222);
    pladv(0);
    plschr(0.0, CharacterScale);

    const double end = EndTime(record);
    const std::set<int> trains = TrainsOfInterest(record);
    std::vector<Line> speeds, bars, distances;
    Legend speedLegend, barLegend, distanceLegend;
    for (int train : trains) {
        Line commanded{TrainSeries(record, train, [](auto&, const sim::RideTrainSample& s) { return s.commanded; }),
                       Commanded, Solid, 3.0, Named("commanded (SET_TRAIN_SPEED)", record, train, trains.size())};
        Line actual{TrainSeries(record, train,
                                [](auto&, const sim::RideTrainSample& s) { return std::optional<double>(s.speed); }),
                    TrainSpeed, Solid, 1.5, Named("the train's speed", record, train, trains.size())};
        Line cruise{TrainSeries(record, train,
                                [](auto&, const sim::RideTrainSample& s) { return std::optional<double>(s.cruise); }),
                    Cruise, LongDashes, 2.5, Named("the engineer's cruise speed", record, train, trains.size())};
        Line distance{TrainSeries(record, train,
                                  [](const sim::RideFrame& frame, const sim::RideTrainSample& s) {
                                      return frame.playerOnFoot ? std::optional<double>(s.playerDistance)
                                                                : std::nullopt;
                                  }),
                      Distance, Solid, 2.5, Named("the player on foot to the train", record, train, trains.size())};
        for (const Line* line : {&commanded, &cruise, &actual}) {
            speedLegend.AddLine(line->colour, line->style, line->width, line->label);
        }
        distanceLegend.AddLine(distance.colour, distance.style, distance.width, distance.label);
        speeds.insert(speeds.end(), {actual, cruise, commanded});
        distances.push_back(std::move(distance));
    }
    Series bar;
    bool continues = false;
    for (const sim::RideFrame& frame : record.frames) {
        bar.Add(frame.time, frame.derailmentBar, continues);
        continues = frame.derailmentBar.has_value();
    }
    Series full;
    full.Add(0.0, 1.0, false);
    full.Add(end, 1.0, true);
    bars.push_back({bar, Bar, Solid, 2.5, "fill of the derailment bar"});
    bars.push_back({full, Ink, ShortDashes, 1.5, "full bar: derailment threshold"});
    for (const Line& line : bars) barLegend.AddLine(line.colour, line.style, line.width, line.label);
    distanceLegend.AddNote("the distance bar is full at 250 m");

    speedLegend.AddLine(BoardingColour, ShortDashes, 1.8, "the player boards");
    speedLegend.AddLine(LeavingColour, ShortDashes, 1.8, "the player leaves");
    speedLegend.AddLine(DerailmentColour, ShortDashes, 1.8, "derailment");
    speedLegend.AddSymbol(ExplosionColour, "explosion");

    std::vector<PlotPanel> drawn;
    const auto [speedLow, speedHigh] = RangeOf(speeds, 1.0);
    drawn.push_back(DrawPanel("speeds", 0.60, 0.90, end, speedLow, speedHigh, speeds, "speed (m/s)", false, record));
    LabelEvents(record, end, speedHigh);
    plcol0(Ink);
    plschr(0.0, CharacterScale * 1.3);
    plmtex("t", 3.4, 0.5, 0.5, ("What the plug-in did during " + record.scenario).c_str());
    plschr(0.0, CharacterScale);
    speedLegend.Draw(0.0);
    drawn.push_back(
        DrawPanel("derailment bar", 0.36, 0.56, end, 0.0, 1.15, bars, "derailment bar (fill)", false, record));
    barLegend.Draw(0.0);
    const auto [distanceLow, distanceHigh] = RangeOf(distances, 10.0);
    drawn.push_back(DrawPanel("distance", 0.10, 0.32, end, distanceLow, distanceHigh, distances,
                              "distance (m)", true, record));
    distanceLegend.Draw(0.0);
    plend();
    if (panels != nullptr) *panels = std::move(drawn);
    return true;
}

}  // namespace kelvane_sim
