// The Linux tool draws the curves with PLplot's cairo driver; PLplot draws the axes,
// ticks, labels and legends.

#include <plplot.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>

#include "config/settings.h"
#include "curves_picture.h"

namespace kelvane_sim {

namespace {

constexpr const char* Device = "pngcairo";
constexpr const char* PictureSize = "1800x620";
constexpr double DegreesPerRadian = 57.29577951308232;
constexpr int SpeedSamples = 240;

// Colour map 0: background, frame and text, then one colour per train type.
constexpr PLINT Ink = 1;
constexpr PLINT TypeColour[2] = {2, 3};
constexpr PLINT Solid = 1, ShortDashes = 2, LongDashes = 3;

const char* TypeName(kelvane::TrainType type) { return type == kelvane::Freight ? "freight" : "tram"; }

bool HasDevice(const char* name) {
    // PLplot fills arrays of the caller's, up to the count passed in.
    std::vector<const char*> descriptions(256), names(256);
    const char** descriptionList = descriptions.data();
    const char** nameList = names.data();
    int count = static_cast<int>(names.size());
    plgDevs(&descriptionList, &nameList, &count);
    return std::any_of(names.begin(), names.begin() + count,
                       [&](const char* device) { return std::strcmp(device, name) == 0; });
}

struct Line {
    std::vector<PLFLT> x, y;
    PLINT colour = Ink;
    PLINT style = Solid;
    std::string label;
};

struct Panel {
    std::string title, xLabel, yLabel;
    std::vector<Line> lines;
    std::vector<std::string> notes;  // legend entries without a line
    PLFLT xRange = 0.0;              // from 0; 0 to take it from the lines
};

void DrawPanel(const Panel& panel) {
    PLFLT xMin = 0.0, xMax = 1.0, yMin = 0.0, yMax = 1.0;
    bool first = true;
    for (const Line& line : panel.lines) {
        for (std::size_t i = 0; i < line.x.size(); ++i) {
            xMin = first ? line.x[i] : std::min(xMin, line.x[i]);
            xMax = first ? line.x[i] : std::max(xMax, line.x[i]);
            yMin = first ? line.y[i] : std::min(yMin, line.y[i]);
            yMax = first ? line.y[i] : std::max(yMax, line.y[i]);
            first = false;
        }
    }
    yMin = std::min(yMin, 0.0);
    if (panel.xRange > 0.0) {
        xMin = 0.0;
        xMax = panel.xRange;
    }
    if (xMax <= xMin) xMax = xMin + 1.0;
    if (yMax <= yMin) yMax = yMin + 1.0;
    // Room above the lines for the legend: one column of entries per train type.
    const PLINT entries = static_cast<PLINT>(panel.lines.size() + panel.notes.size());
    const PLINT columns = entries > 3 ? 2 : 1;
    const PLINT rows = (entries + columns - 1) / columns;
    const PLFLT room = (yMax - yMin) * (0.08 + 0.09 * rows);

    pladv(0);
    plvsta();
    plwind(xMin, xMax, yMin, yMax + room);
    plcol0(Ink);
    plwidth(1.0);
    pllsty(Solid);
    plbox("bcnstg", 0.0, 0, "bcnstvg", 0.0, 0);
    pllab(panel.xLabel.c_str(), panel.yLabel.c_str(), panel.title.c_str());

    std::vector<PLINT> options, colours, styles;
    std::vector<PLFLT> widths;
    std::vector<const char*> texts;
    for (const Line& line : panel.lines) {
        plcol0(line.colour);
        pllsty(line.style);
        plwidth(2.5);
        plline(static_cast<PLINT>(line.x.size()), line.x.data(), line.y.data());
        options.push_back(PL_LEGEND_LINE);
        colours.push_back(line.colour);
        styles.push_back(line.style);
        widths.push_back(2.5);
        texts.push_back(line.label.c_str());
    }
    for (const std::string& note : panel.notes) {
        options.push_back(PL_LEGEND_NONE);
        colours.push_back(Ink);
        styles.push_back(Solid);
        widths.push_back(1.0);
        texts.push_back(note.c_str());
    }
    pllsty(Solid);
    plwidth(1.0);
    if (texts.empty()) return;
    const std::vector<PLINT> textColours(texts.size(), Ink);
    PLFLT width = 0.0, height = 0.0;
    pllegend(&width, &height, PL_LEGEND_BACKGROUND | PL_LEGEND_BOUNDING_BOX, PL_POSITION_TOP | PL_POSITION_INSIDE,
             0.0, 0.02, 0.06, 0, Ink, Solid, rows, columns, entries, options.data(), 1.0, 0.62, 1.8, 0.0, textColours.data(), texts.data(), nullptr, nullptr, nullptr, nullptr,
             colours.data(), styles.data(), widths.data(), nullptr, nullptr, nullptr, nullptr);
}

// Speeds of a run against time, for as long as the window lasts; a run that settled keeps
// its last speed.
Line RunLine(const SpeedRun& run, double seconds, bool untilStopped) {
    Line line;
    const std::size_t frames = static_cast<std::size_t>(seconds * CurvesFramesPerSecond);
    line.x.push_back(0.0);
    line.y.push_back(0.0);
    for (std::size_t i = 0; i < frames && !run.speeds.empty(); ++i) {
        const float speed = run.speeds[std::min(i, run.speeds.size() - 1)];
        line.x.push_back(static_cast<double>(i + 1) / CurvesFramesPerSecond);
        line.y.push_back(speed);
        if (untilStopped && speed <= 0.0f) break;
    }
    return line;
}

// Long enough to show every train reach 90 % of its forward top speed.
double TimeWindow(const std::vector<TypeCurves>& curves) {
    double window = 0.0;
    for (const TypeCurves& type : curves) {
        for (const Goal* goal : {&type.forwardNinety, &type.backwardNinety, &type.brakeStop}) {
            if (goal->outcome == Outcome::Reached) window = std::max(window, goal->seconds * 1.3);
        }
    }
    return std::clamp(window == 0.0 ? 60.0 : window, 5.0, static_cast<double>(CurvesFrameLimit / CurvesFramesPerSecond));
}

Panel SpeedPanel(const std::vector<TypeCurves>& curves) {
    Panel panel{"Speed under the controls (the handbrake brakes alike)", "time (s)", "speed (m/s)", {}, {}, 0.0};
    const double window = TimeWindow(curves);
    for (const TypeCurves& type : curves) {
        const std::string name = TypeName(type.type);
        const PLINT colour = TypeColour[type.type];
        Line throttle = RunLine(type.throttleRun, window, false);
        throttle.colour = colour;
        throttle.label = name + ": throttle";
        Line reverse = RunLine(type.reverseRun, window, false);
        reverse.colour = colour;
        reverse.style = LongDashes;
        reverse.label = name + ": reverse";
        Line brake = RunLine(type.brakeRun, window, true);
        brake.y.front() = type.forwardTop > 0.0f ? type.forwardTop : 0.0f;
        brake.colour = colour;
        brake.style = ShortDashes;
        brake.label = name + ": brake";
        panel.lines.insert(panel.lines.end(), {throttle, reverse, brake});
    }
    return panel;
}

double SpeedRange(const std::vector<TypeCurves>& curves) {
    double top = 0.0;
    for (const TypeCurves& type : curves) top = std::max(top, static_cast<double>(type.forwardTop));
    return top > 0.0 ? top * 1.25 : 40.0;
}

// Over speeds from 0, what a train of each type can turn before it derails.
Panel DerailmentPanel(const std::vector<TypeCurves>& curves, bool radius) {
    const double range = SpeedRange(curves);
    Panel panel{radius ? "Tightest curve before a derailment" : "Turn rate that starts a derailment", "speed (m/s)",
                radius ? "curve radius (m)" : "turn rate (deg/s)", {}, {}, range};
    for (const TypeCurves& type : curves) {
        const std::string name = TypeName(type.type);
        if (type.derailment == DerailmentLimit::Never) {
            panel.notes.push_back(name + ": never derails");
            continue;
        }
        if (type.derailment == DerailmentLimit::Always && radius) {
            panel.notes.push_back(name + ": always derails");
            continue;
        }
        Line line;
        line.colour = TypeColour[type.type];
        line.label = name + (type.derailment == DerailmentLimit::Always ? ": always derails" : "");
        for (int i = 0; i <= SpeedSamples; ++i) {
            const float speed = static_cast<float>(range * i / SpeedSamples);
            const DerailmentPoint point = type.derailment == DerailmentLimit::Always ? DerailmentPoint{speed, 0.0f, 0.0f}
                                                                                     : DerailmentPointAt(type, speed);
            line.x.push_back(speed);
            line.y.push_back(radius ? point.radius : point.turnRate * DegreesPerRadian);
        }
        panel.lines.push_back(std::move(line));
    }
    return panel;
}

}  // namespace

bool WriteCurvesPicture(const std::vector<TypeCurves>& curves, const std::filesystem::path& file, std::string& error) {
    if (!std::ofstream(file, std::ios::binary).is_open()) {
        error = "cannot write " + file.string();
        return false;
    }
    if (!HasDevice(Device)) {
        error = "PLplot's cairo driver is missing: run scripts/setup linux";
        return false;
    }
    plsdev(Device);
    plsfnam(file.string().c_str());
    plsetopt("geometry", PictureSize);
    plscolbg(255, 255, 255);
    plinit();
    plscol0(Ink, 0, 0, 0);
    plscol0(TypeColour[kelvane::Freight], 31, 90, 180);
    plscol0(TypeColour[kelvane::Tram], 215, 95, 0);
    plssub(3, 1);
    plschr(0.0, 0.62);
    DrawPanel(SpeedPanel(curves));
    DrawPanel(DerailmentPanel(curves, false));
    DrawPanel(DerailmentPanel(curves, true));
    plend();
    return true;
}

}  // namespace kelvane_sim
