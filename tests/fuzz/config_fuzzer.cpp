// libFuzzer over the configuration path of the plug-in's start-up: arbitrary bytes as
// Kelvane.ini in a private folder, then the default-file writer and the loader, as the
// script main runs them. A finding is a crash or a sanitizer report, a setting that the
// loader leaves non-finite or a fraction outside 0..1, or an existing file that the
// writer changed.

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <variant>

#include "config/config_reader.h"
#include "config/default_config_writer.h"
#include "config/settings.h"

namespace {

namespace fs = std::filesystem;

fs::path startFolder;
fs::path gameFolder;

void RemoveGameFolder() {
    std::error_code ignored;
    fs::remove_all(gameFolder, ignored);
}

// The game's working directory for one input. libFuzzer's own files (corpus, findings)
// stay relative to the folder it started in.
class InGameFolder {
public:
    InGameFolder() { fs::current_path(gameFolder); }
    ~InGameFolder() { fs::current_path(startFolder); }
    InGameFolder(const InGameFolder&) = delete;
    InGameFolder& operator=(const InGameFolder&) = delete;
};

[[noreturn]] void Finding(std::string_view what, std::string_view key = {}) {
    std::fprintf(stderr, "config_fuzzer: %.*s%s%.*s\n", static_cast<int>(what.size()), what.data(),
                 key.empty() ? "" : ": ", static_cast<int>(key.size()), key.data());
    std::error_code ignored;
    fs::current_path(startFolder, ignored);
    std::abort();
}

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void CheckLoadedSettings() {
    for (const kelvane::SettingField& field : kelvane::SettingFields) {
        const float* const* number = std::get_if<float*>(&field.value);
        if (number == nullptr) continue;
        const float value = **number;
        if (!std::isfinite(value)) Finding("the loader stored a non-finite number", field.key);
        if (field.rule == kelvane::LoadRule::Fraction && !(value >= 0.0f && value <= 1.0f)) {
            Finding("the loader stored a fraction outside 0..1", field.key);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    startFolder = fs::current_path();
    std::string pattern = (fs::temp_directory_path() / "kelvane-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("config_fuzzer: cannot make a private folder");
        std::exit(2);
    }
    gameFolder = pattern;
    std::atexit(RemoveGameFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    InGameFolder inGameFolder;
    std::ofstream(kelvane::ConfigFileName, std::ios::binary | std::ios::trunc) << content;

    // The record as the library holds it when it is loaded, before the script main.
    kelvane::settings = kelvane::Settings{};
    kelvane::WriteDefaultConfig();
    kelvane::LoadSettings();

    if (ReadBytes(kelvane::ConfigFileName) != content) Finding("the writer changed the existing Kelvane.ini");
    CheckLoadedSettings();
    return 0;
}
