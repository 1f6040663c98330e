#pragma once
// The picture of the curves: speed over time under the controls, and the turn rate and
// curve radius that start a derailment, for both train types.

#include <filesystem>
#include <string>
#include <vector>

#include "curves.h"

namespace kelvane_sim {

// Writes the PNG; false with a reason when it cannot.
bool WriteCurvesPicture(const std::vector<TypeCurves>& curves, const std::filesystem::path& file, std::string& error);

}  // namespace kelvane_sim
