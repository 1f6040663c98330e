#include "soak/ini_watch.h"

#include <sys/stat.h>

#include <fstream>
#include <iterator>

namespace kelvane_sim {

IniWatch::IniWatch(std::filesystem::path file) : file_(std::move(file)) { Accept(); }

IniWatch::Look IniWatch::LookNow() const {
    struct stat info {};
    Look look;
    if (stat(file_.c_str(), &info) != 0) return look;
    look.exists = true;
    look.regular = S_ISREG(info.st_mode);
    look.size = static_cast<std::uint64_t>(info.st_size);
    look.modifiedNs = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    look.inode = static_cast<std::uint64_t>(info.st_ino);
    return look;
}

std::string IniWatch::Content() const {
    std::ifstream in(file_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void IniWatch::Accept() {
    last_ = LookNow();
}

std::optional<std::string> IniWatch::Check() {
    const Look now = LookNow();
    if (now == last_) return std::nullopt;
    // Only the soak changes the file otherwise, and it says so: any change of an
    // existing file is the plug-in's, even one that leaves the same bytes.
    if (last_.exists) {
        return now.exists ? "the plug-in wrote to the existing Kelvane.ini" : "the plug-in removed the existing Kelvane.ini";
    }
    if (!now.regular) return "the plug-in put something other than a file where Kelvane.ini was missing";
    const std::string created = Content();
    ++filesCreated_;
    if (defaultFile_.empty()) defaultFile_ = created;
    last_ = now;
    if (created != defaultFile_) return "the plug-in created a Kelvane.ini that differs from the default file it wrote before";
    return std::nullopt;
}

}  // namespace kelvane_sim
