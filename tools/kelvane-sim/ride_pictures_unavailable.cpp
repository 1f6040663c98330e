// The Windows tool carries no drawing libraries.

#include "ride_pictures.h"

namespace kelvane_sim {

bool RidePicturesAvailable() { return false; }

bool WriteRidePictures(const std::string&, const std::filesystem::path&, std::string& error) {
    error = "pictures are made by the Linux tool only";
    return false;
}

}  // namespace kelvane_sim
