// The Windows tool carries no plotting library.

#include "curves_picture.h"

namespace kelvane_sim {

bool WriteCurvesPicture(const std::vector<TypeCurves>&, const std::filesystem::path&, std::string& error) {
    error = "curves.png is made by the Linux tool only";
    return false;
}

}  // namespace kelvane_sim
