#pragma once
// Opens a PNG picture with PLplot's cairo driver.

#include <filesystem>
#include <string>

namespace kelvane_sim {

// Starts PLplot on a white page of width x height pixels that plend() writes to file;
// false with a reason when the file cannot be written or the driver is missing.
bool StartPlplotPicture(const std::filesystem::path& file, int width, int height, std::string& error);

}  // namespace kelvane_sim
