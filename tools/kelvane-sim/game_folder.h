#pragma once

#include <filesystem>
#include <optional>

namespace kelvane_sim {

// The game's working directory for one run: the given folder, or a fresh temporary one
// that is removed afterwards. The process works inside it while the object lives.
class GameFolder {
public:
    explicit GameFolder(const std::optional<std::filesystem::path>& folder);
    ~GameFolder();
    GameFolder(const GameFolder&) = delete;
    GameFolder& operator=(const GameFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    bool Temporary() const { return temporary_; }

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
    bool temporary_ = false;
};

}  // namespace kelvane_sim
