#include "game_folder.h"

#include <random>
#include <stdexcept>
#include <string>

namespace kelvane_sim {

namespace fs = std::filesystem;

namespace {

fs::path MakeTemporaryFolder() {
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = fs::temp_directory_path() / ("kelvane-game-" + std::to_string(random()));
        if (fs::create_directory(candidate)) return candidate;
    }
    throw std::runtime_error("cannot create a temporary game folder");
}

}  // namespace

GameFolder::GameFolder(const std::optional<fs::path>& folder) : previous_(fs::current_path()) {
    if (folder) {
        fs::create_directories(*folder);
        path_ = fs::absolute(*folder);
    } else {
        path_ = MakeTemporaryFolder();
        temporary_ = true;
    }
    fs::current_path(path_);
}

GameFolder::~GameFolder() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    if (temporary_) fs::remove_all(path_, ignored);
}

}  // namespace kelvane_sim
