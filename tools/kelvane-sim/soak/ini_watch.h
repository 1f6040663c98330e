#pragma once
// Watches the game folder's Kelvane.ini between frames: the plug-in may create it when
// it is missing, always as its default file, and must never change or remove a file
// that exists.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace kelvane_sim {

class IniWatch {
public:
    explicit IniWatch(std::filesystem::path file);

    // The soak itself has just changed, written or removed the file.
    void Accept();
    // After a frame: what the plug-in did wrong with the file, if anything.
    std::optional<std::string> Check();

    int FilesCreated() const { return filesCreated_; }

private:
    struct Look {
        bool exists = false;
        bool regular = false;
        std::uint64_t size = 0;
        std::int64_t modifiedNs = 0;
        std::uint64_t inode = 0;
        bool operator==(const Look&) const = default;
    };
    Look LookNow() const;
    std::string Content() const;

    std::filesystem::path file_;
    Look last_;
    std::string defaultFile_;  // as the plug-in first created it
    int filesCreated_ = 0;
};

}  // namespace kelvane_sim
