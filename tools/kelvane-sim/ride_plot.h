#pragma once
// ride.png: over game time, the speed the plug-in imposed, the engineer's cruise speed,
// the fill of the derailment bar and the engineer's distance to the player, with the
// ride's events marked; drawn by PLplot.

#include <filesystem>
#include <string>
#include <vector>

#include "scenario/ride_record.h"

namespace kelvane_sim {

inline constexpr int RidePlotWidth = 1800;
inline constexpr int RidePlotHeight = 1200;
// The colour of the commanded speed's line.
inline constexpr int CommandedSpeedColour[3] = {31, 90, 180};

// One panel as PLplot laid it out: its plot area in pixels of the picture (top-left
// origin) and the world window it maps onto that area.
struct PlotPanel {
    std::string name;  // "speeds", "derailment bar", "distance"
    double left = 0.0, right = 0.0, top = 0.0, bottom = 0.0;
    double xMin = 0.0, xMax = 1.0, yMin = 0.0, yMax = 1.0;
};

// Writes the plot; false with a reason when it cannot. The panels as drawn go to
// panels unless it is null.
bool WriteRidePlot(const sim::RideRecord& record, const std::filesystem::path& file, std::string& error,
                   std::vector<PlotPanel>* panels = nullptr);

}  // namespace kelvane_sim
