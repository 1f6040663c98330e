#pragma once
// A game folder in which the plug-in can neither create nor find a file, even as root,
// whom file modes do not stop: the process works in a folder that has been removed.
// Nothing can be created in a removed folder, so every write fails as on a read-only
// one, and no Kelvane.ini is found there.

#include <filesystem>

namespace kelvane_sim {

class UnwritableFolder {
public:
    explicit UnwritableFolder(std::filesystem::path gameFolder) : gameFolder_(std::move(gameFolder)) {}
    ~UnwritableFolder() { Leave(); }
    UnwritableFolder(const UnwritableFolder&) = delete;
    UnwritableFolder& operator=(const UnwritableFolder&) = delete;

    // Works in a removed folder from now on; false if the platform does not allow it.
    bool Enter();
    // Works in the game folder again.
    void Leave();
    bool Entered() const { return entered_; }

private:
    std::filesystem::path gameFolder_;
    bool entered_ = false;
};

}  // namespace kelvane_sim
