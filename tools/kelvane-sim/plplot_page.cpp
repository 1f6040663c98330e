#include "plplot_page.h"

#include <plplot.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <vector>

namespace kelvane_sim {

namespace {

constexpr const char* Device = "pngcairo";

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

}  // namespace

bool StartPlplotPicture(const std::filesystem::path& file, int width, int height, std::string& error) {
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
    const std::string geometry = std::to_string(width) + "x" + std::to_string(height);
    plsetopt("geometry", geometry.c_str());
    plscolbg(255, 255, 255);
    plinit();
    return true;
}

}  // namespace kelvane_sim
