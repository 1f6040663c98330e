#include "soak/soak_faults.h"

#include <fstream>
#include <string_view>
#include <vector>

#include "config/settings.h"

namespace kelvane_sim {

namespace fs = std::filesystem;

namespace {

constexpr double FramesPerSecond = 60.0;
constexpr float OneSecond = 1.0f;

std::uint64_t Seconds(SoakRandom& random, double shortest, double longest) {
    return static_cast<std::uint64_t>(random.Within(shortest, longest) * FramesPerSecond);
}

// Values that a careless edit or a broken disk could leave behind.
constexpr std::string_view HostileValues[] = {
    "0",     "1",          "-1",      "0.5",    "1.5",          "-0",     "2",        "1e38",          "3.4028235e38",
    "-3.4e38", "1e39",     "-1e39",   "1e999",  "1e-45",        "1e-50",  "nan",      "inf",           "-infinity",
    "0x1p3", "2147483648", "-2147483649", "1e10", "40abc",      "",       "=",        ";",             "1 = 2",
    "0.0000001", "99999999", ".", "-", "e5",
};

std::string LineEnd(SoakRandom& random) {
    constexpr std::string_view ends[] = {"\n", "\r\n", "\r", "\n\n"};
    return std::string(ends[random.Below(std::size(ends))]);
}

// Half of the time raw bytes; otherwise lines with the plug-in's keys and hostile values,
// comments, sections, stray bytes and over-long lines.
std::string GarbageIni(SoakRandom& random) {
    std::string text;
    if (random.OneIn(2)) {
        const std::uint64_t length = random.Below(2049);
        for (std::uint64_t i = 0; i < length; ++i) text += static_cast<char>(random.Below(256));
        return text;
    }
    const std::int64_t lines = random.Between(0, 40);
    for (std::int64_t i = 0; i < lines; ++i) {
        const std::uint64_t kind = random.Below(10);
        if (kind < 7) {
            // One draw per statement, so that every build makes the same text.
            const kelvane::SettingField& field = kelvane::SettingFields[random.Below(kelvane::SettingFields.size())];
            const std::uint64_t indent = random.Below(3);
            const bool tight = random.OneIn(4);
            const std::string_view value = HostileValues[random.Below(std::size(HostileValues))];
            text += std::string(indent, ' ') + std::string(field.key) + (tight ? "=" : " = ") + std::string(value);
        } else if (kind == 7) {
            text += random.OneIn(2) ? "; a comment" : "[FreightTrain]";
        } else if (kind == 8) {
            const std::uint64_t length = random.Below(40);
            for (std::uint64_t k = 0; k < length; ++k) text += static_cast<char>(random.Below(256));
        } else {
            text += std::string(random.Below(5000), 'x');
        }
        text += LineEnd(random);
    }
    return text;
}

}  // namespace

const char* FaultName(Fault fault) {
    switch (fault) {
        case Fault::TrainVanished: return "trains vanished";
        case Fault::WreckVanished: return "wrecks vanished";
        case Fault::PlayerDied: return "player deaths";
        case Fault::ZeroFrameTime: return "frames of 0 s";
        case Fault::OneSecondFrame: return "frames of 1 s";
        case Fault::IniGarbage: return "INI rewritten with garbage";
        case Fault::IniDeleted: return "INI deleted";
        case Fault::IniBecameFolder: return "INI replaced by a folder";
        case Fault::FolderUnwritable: return "game folder unwritable";
        case Fault::PluginReloaded: return "plug-in reloaded";
    }
    return "?";
}

SoakFaults::SoakFaults(sim::World& world, SoakRandom& random, const sim::Scenario& scenario,
                       const fs::path& gameFolder, IniWatch& ini, std::function<void()> reloadPlugin)
    : world_(world),
      random_(random),
      scenario_(scenario),
      ini_(gameFolder / "Kelvane.ini"),
      iniWatch_(ini),
      reloadPlugin_(std::move(reloadPlugin)),
      unwritable_(gameFolder) {}

std::uint64_t SoakFaults::Total() const {
    std::uint64_t total = 0;
    for (std::uint64_t count : counts_) total += count;
    return total;
}

void SoakFaults::Injected(Fault fault) { ++counts_[static_cast<int>(fault)]; }

float SoakFaults::BeforeFrame(std::uint64_t frame) {
    if (random_.OneIn(7200) && VanishTrain()) Injected(Fault::TrainVanished);
    if (random_.OneIn(1800) && VanishWreck()) Injected(Fault::WreckVanished);
    if (respawnPlayerAt_ == 0) {
        if (random_.OneIn(10800)) {
            world_.KillPed(world_.PlayerPed());
            respawnPlayerAt_ = frame + Seconds(random_, 3.0, 10.0);
            Injected(Fault::PlayerDied);
        }
    } else if (frame >= respawnPlayerAt_) {
        RespawnPlayer();
        respawnPlayerAt_ = 0;
    }

    if (iniFolderUntil_ == 0) {
        if (random_.OneIn(3600)) {
            WriteIni(GarbageIni(random_));
            Injected(Fault::IniGarbage);
        }
        if (random_.OneIn(3600) && RemoveIni()) Injected(Fault::IniDeleted);
        if (random_.OneIn(36000)) {
            RemoveIni();
            fs::create_directory(ini_);
            iniWatch_.Accept();
            iniFolderUntil_ = frame + Seconds(random_, 10.0, 60.0);
            Injected(Fault::IniBecameFolder);
        }
    } else if (frame >= iniFolderUntil_) {
        RemoveIni();
        iniFolderUntil_ = 0;
    }

    if (!unwritable_.Entered()) {
        if (random_.OneIn(7200) && unwritable_.Enter()) {
            unwritableUntil_ = frame + Seconds(random_, 5.0, 60.0);
            Injected(Fault::FolderUnwritable);
        }
    } else if (frame >= unwritableUntil_) {
        unwritable_.Leave();
    }

    if (random_.OneIn(7200)) {
        ReloadPlugin();
        Injected(Fault::PluginReloaded);
    }

    bool trainsRun = false;
    for (const sim::Train& train : world_.Trains()) trainsRun |= !train.deleted;
    if (trainsRun) {
        respawnTrainsAt_ = 0;
    } else if (respawnTrainsAt_ == 0) {
        respawnTrainsAt_ = frame + Seconds(random_, 5.0, 30.0);
    } else if (frame >= respawnTrainsAt_) {
        RespawnTrains();
        respawnTrainsAt_ = 0;
    }

    if (frame >= zeroFramesUntil_ && random_.OneIn(900)) {
        zeroFramesUntil_ = frame + static_cast<std::uint64_t>(random_.Between(1, 5));
    }
    if (frame < zeroFramesUntil_) {
        Injected(Fault::ZeroFrameTime);
        return 0.0f;
    }
    if (random_.OneIn(3000)) {
        Injected(Fault::OneSecondFrame);
        return OneSecond;
    }
    return scenario_.frameTime;
}

void SoakFaults::Finish() {
    unwritable_.Leave();
    if (iniFolderUntil_ != 0) RemoveIni();
    iniFolderUntil_ = 0;
}

bool SoakFaults::VanishTrain() {
    std::vector<std::string> names;
    for (const sim::Train& train : world_.Trains()) {
        if (!train.deleted) names.push_back(train.name);
    }
    if (names.empty()) return false;
    world_.VanishTrain(names[random_.Below(names.size())]);
    return true;
}

bool SoakFaults::VanishWreck() {
    const std::vector<sim::Handle> created = VehiclesOfScripts();
    if (created.empty()) return false;
    world_.DeleteVehicle(created[random_.Below(created.size())]);
    return true;
}

std::vector<sim::Handle> SoakFaults::VehiclesOfScripts() const {
    std::vector<sim::Handle> created;
    for (const auto& [handle, vehicle] : world_.Vehicles()) {
        if (vehicle.createdByScript) created.push_back(handle);
    }
    return created;
}

void SoakFaults::RespawnPlayer() {
    sim::Ped* player = world_.FindPed(world_.PlayerPed());
    if (player == nullptr) return;
    player->dead = false;
    world_.PlacePed(player->handle, scenario_.playerPosition, scenario_.playerHeading);
}

// The scenario's trains where they started. Crews come from the peds left standing by
// earlier trains, so that a long run does not fill the world with them.
void SoakFaults::RespawnTrains() {
    std::vector<sim::Handle> idle;
    for (const auto& [handle, ped] : world_.Peds()) {
        if (handle != world_.PlayerPed() && ped.vehicle == 0) idle.push_back(handle);
    }
    for (const sim::ScenarioTrain& train : scenario_.trains) {
        sim::TrainSpec definition = sim::PlacedTrain(scenario_, train);
        std::vector<std::pair<sim::Handle, int>> crew;
        for (const auto& [wanted, seat] : {std::pair{&definition.engineer, sim::DriverSeat},
                                           std::pair{&definition.passenger, sim::PassengerSeat}}) {
            if (*wanted && !idle.empty()) {
                crew.emplace_back(idle.back(), seat);
                idle.pop_back();
                *wanted = false;
            }
        }
        const int index = world_.AddTrain(definition);
        const sim::Handle lead = world_.Trains()[index].cars.front();
        for (const auto& [ped, seat] : crew) {
            world_.FindPed(ped)->dead = false;
            world_.SetPedIntoVehicle(ped, lead, seat);
        }
    }
    ++trainsRespawned_;
}

// The old script's vehicles are the game's to clear; the new script starts afresh.
void SoakFaults::ReloadPlugin() {
    reloadPlugin_();
    for (sim::Handle vehicle : VehiclesOfScripts()) world_.DeleteVehicle(vehicle);
}

void SoakFaults::WriteIni(const std::string& content) {
    std::ofstream(ini_, std::ios::binary | std::ios::trunc) << content;
    iniWatch_.Accept();
}

bool SoakFaults::RemoveIni() {
    std::error_code ignored;
    const bool removed = fs::remove_all(ini_, ignored) > 0;
    iniWatch_.Accept();
    return removed;
}

}  // namespace kelvane_sim
