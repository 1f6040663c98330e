#pragma once
// The pictures of a run: hud.png, ride.png and map.png (Linux tool only).

#include <filesystem>
#include <string>

namespace kelvane_sim {

// Whether this build of the tool draws pictures.
bool RidePicturesAvailable();

// Reads the ride record (the JSON the stand-in hands over) and writes the three pictures
// into folder; false with a reason when it cannot.
bool WriteRidePictures(const std::string& rideRecordJson, const std::filesystem::path& folder, std::string& error);

}  // namespace kelvane_sim
