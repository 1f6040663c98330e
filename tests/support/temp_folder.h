#pragma once
// Runs a test inside a fresh empty folder, the game's working directory, and puts the
// process back where it was afterwards.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace kelvane_test {

class TempFolder {
public:
    TempFolder() : previous_(std::filesystem::current_path()) {
        std::random_device seed;
        std::mt19937 random(seed());
        do {
            path_ = std::filesystem::temp_directory_path() / ("kelvane-test-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(path_));
        std::filesystem::current_path(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

inline std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

}  // namespace kelvane_test
