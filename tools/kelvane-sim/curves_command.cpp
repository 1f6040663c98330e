#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "commands.h"
#include "config/config_reader.h"
#include "config/settings.h"
#include "curves.h"
#include "curves_picture.h"

namespace kelvane_sim {

namespace fs = std::filesystem;

namespace {

constexpr int LabelWidth = 56;
constexpr int ColumnWidth = 22;
constexpr float KilometresPerHourPerMetrePerSecond = 3.6f;
constexpr double DegreesPerRadian = 57.29577951308232;

const char* TypeName(kelvane::TrainType type) { return type == kelvane::Freight ? "freight train" : "tram"; }

std::string Printed(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string SpeedText(float speed) {
    return Printed("%.1f m/s", speed) + Printed(" (%.0f km/h)", speed * KilometresPerHourPerMetrePerSecond);
}

std::string GoalText(const Goal& goal) {
    switch (goal.outcome) {
        case Outcome::Reached: return Printed("%.1f s", goal.seconds) + Printed(", %.0f m", goal.metres);
        case Outcome::Never: return "never";
        case Outcome::NotWithinLimit: return Printed("not within %.0f s", CurvesFrameLimit / CurvesFramesPerSecond);
        case Outcome::NoTopSpeed: return "never (no top speed)";
    }
    return "";
}

std::string Padded(std::string text, std::size_t width) {
    if (text.size() < width) text.resize(width, ' ');
    return text + ' ';
}

template <typename Cell>
void Row(std::ostream& out, const std::string& label, const std::vector<TypeCurves>& curves, Cell cell) {
    out << Padded(label, LabelWidth);
    for (const TypeCurves& type : curves) out << Padded(cell(type), ColumnWidth);
    out << '\n';
}

void PrintDerailment(std::ostream& out, const TypeCurves& curves) {
    out << '\n' << "Derailment, " << TypeName(curves.type) << Printed(" (sensitivity %g): ", curves.sensitivity);
    if (curves.derailment == DerailmentLimit::Never) {
        out << "never\n";
        return;
    }
    if (curves.derailment == DerailmentLimit::Always) {
        out << "always, even standing still\n";
        return;
    }
    out << "turning faster than this starts one\n";
    out << "  " << Padded("speed", ColumnWidth) << Padded("turn rate", 14) << "tightest curve radius\n";
    for (const DerailmentPoint& point : curves.derailmentPoints) {
        out << "  " << Padded(SpeedText(point.speed), ColumnWidth)
            << Padded(Printed("%.1f deg/s", point.turnRate * DegreesPerRadian), 14) << Printed("%.1f m", point.radius)
            << '\n';
    }
}

void PrintTable(std::ostream& out, const fs::path& file, const std::vector<TypeCurves>& curves) {
    Row(out, file.string() + Printed(", at %.0f frames per second", CurvesFramesPerSecond), curves,
        [](const TypeCurves& type) { return std::string(TypeName(type.type)); });
    Row(out, "forward top speed", curves, [](const TypeCurves& type) { return SpeedText(type.forwardTop); });
    Row(out, "backward top speed", curves, [](const TypeCurves& type) { return SpeedText(type.backwardTop); });
    Row(out, "throttle from rest to 50 % of the forward top speed", curves,
        [](const TypeCurves& type) { return GoalText(type.forwardHalf); });
    Row(out, "throttle from rest to 90 % of the forward top speed", curves,
        [](const TypeCurves& type) { return GoalText(type.forwardNinety); });
    Row(out, "reverse from rest to 90 % of the backward top speed", curves,
        [](const TypeCurves& type) { return GoalText(type.backwardNinety); });
    Row(out, "brake from the forward top speed to a stop", curves,
        [](const TypeCurves& type) { return GoalText(type.brakeStop); });
    Row(out, "handbrake from the forward top speed to a stop", curves,
        [](const TypeCurves& type) { return GoalText(type.handbrakeStop); });
    for (const TypeCurves& type : curves) PrintDerailment(out, type);
}

}  // namespace

int RunCurvesCommand(const fs::path& file, const std::optional<fs::path>& outDir, std::ostream& out,
                     std::ostream& err) {
    // The plug-in's start: a file that exists is read over an all-zero record; without a
    // readable file the plug-in runs on its defaults.
    const kelvane::Settings saved = kelvane::settings;
    kelvane::settings = {};
    std::error_code error;
    if (fs::is_regular_file(file, error) && std::ifstream(file).is_open()) {
        kelvane::LoadSettingsFrom(file);
    } else {
        err << "kelvane-sim: cannot read " << file.string() << "; the plug-in would run on its defaults, shown here\n";
        kelvane::ApplyDefaults();
    }
    const std::vector<TypeCurves> curves = {ComputeCurves(kelvane::Freight), ComputeCurves(kelvane::Tram)};
    kelvane::settings = saved;

    PrintTable(out, file, curves);
    if (!outDir) return 0;
    fs::create_directories(*outDir, error);
    const fs::path picture = *outDir / "curves.png";
    std::string failure;
    if (!WriteCurvesPicture(curves, picture, failure)) {
        err << "kelvane-sim: " << failure << '\n';
        return 2;
    }
    out << "\nwrote " << picture.string() << '\n';
    return 0;
}

}  // namespace kelvane_sim
