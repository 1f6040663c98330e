#pragma once
// map.png: the ride seen from above: the tracks, the trains where they stood at the
// ride's moments, the player's path, the walls, the wrecks' paths and the explosions,
// with a scale bar; a second panel shows the derailment up close.

#include <filesystem>
#include <optional>
#include <string>

#include "scenario/ride_record.h"

namespace kelvane_sim {

inline constexpr int RideMapWidth = 1800;
inline constexpr int MapTrackColour[3] = {88, 88, 96};

// A panel of the map: its place on the picture, in pixels, and the part of the world it
// shows, with north up.
struct MapView {
    double left = 0.0, top = 0.0, width = 0.0, height = 0.0;
    double xMin = 0.0, yMax = 0.0;  // the world point at the panel's top-left corner, m
    double scale = 1.0;             // pixels per metre
    double PixelX(double x) const { return left + (x - xMin) * scale; }
    double PixelY(double y) const { return top + (yMax - y) * scale; }
    bool Shows(const sim::MapPoint& p) const;
};

struct MapLayout {
    int width = RideMapWidth, height = 0;
    MapView whole;
    std::optional<MapView> detail;  // the derailment up close, when there is one
    double legendLeft = 0.0, legendTop = 0.0;
};
MapLayout LayOutMap(const sim::RideRecord& record);

bool WriteRideMap(const sim::RideRecord& record, const std::filesystem::path& file, std::string& error);

}  // namespace kelvane_sim
