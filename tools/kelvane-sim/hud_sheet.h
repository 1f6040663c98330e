#pragma once
// hud.png: a contact sheet of the screen at the run's notable moments, each frame drawn
// from its draw list as the game places it on a 1920x1080 screen, scaled down, beside a
// close-up of what it shows.

#include <filesystem>
#include <string>
#include <vector>

#include "scenario/ride_record.h"

namespace kelvane_sim {

inline constexpr double HudScreenWidth = 1920.0;
inline constexpr double HudScreenHeight = 1080.0;
// The game's text scale 1.0 is taken as a font whose em is 1/16 of the screen height.
inline constexpr double HudEmPerTextScale = HudScreenHeight / 16.0;

// Where each frame sits on the sheet: its screen's top-left corner, and sheet pixels
// per screen pixel.
struct HudTile {
    double left = 0.0, top = 0.0, scale = 1.0;
};
struct HudSheetLayout {
    int width = 0, height = 0;
    std::vector<HudTile> tiles;
};
HudSheetLayout LayOutHudSheet(std::size_t moments);

// The colour of the one-pixel frame round each screen on the sheet.
inline constexpr int HudTileFrame[3] = {24, 24, 24};

bool WriteHudSheet(const sim::RideRecord& record, const std::filesystem::path& file, std::string& error);

}  // namespace kelvane_sim
