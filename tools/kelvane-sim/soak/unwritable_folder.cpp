#include "soak/unwritable_folder.h"

#include <stdlib.h>
#include <unistd.h>

#include <string>

namespace kelvane_sim {

namespace fs = std::filesystem;

bool UnwritableFolder::Enter() {
    if (entered_) return true;
    std::string folder = (fs::temp_directory_path() / "kelvane-unwritable-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) return false;
    if (chdir(folder.c_str()) != 0) {
        rmdir(folder.c_str());
        return false;
    }
    if (rmdir(folder.c_str()) != 0) {
        Leave();
        rmdir(folder.c_str());
        return false;
    }
    entered_ = true;
    return true;
}

void UnwritableFolder::Leave() {
    if (chdir(gameFolder_.c_str()) == 0) entered_ = false;
}

}  // namespace kelvane_sim
