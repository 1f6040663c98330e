#pragma once
// What goes wrong around the plug-in during a soak, at random but from the seed: trains
// and wrecks vanish, the player dies, frames take no time or a whole second, the INI is
// rewritten with garbage, deleted or replaced by a folder, the game folder becomes
// unwritable, and the plug-in is reloaded. Trains come back some time after the last
// one is gone, as the game spawns new ones.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "scenario/scenario.h"
#include "soak/ini_watch.h"
#include "soak/soak_random.h"
#include "soak/unwritable_folder.h"
#include "world/world.h"

namespace kelvane_sim {

enum class Fault : int {
    TrainVanished,
    WreckVanished,
    PlayerDied,
    ZeroFrameTime,
    OneSecondFrame,
    IniGarbage,
    IniDeleted,
    IniBecameFolder,
    FolderUnwritable,
    PluginReloaded,
};
inline constexpr int FaultKinds = 10;
const char* FaultName(Fault fault);

class SoakFaults {
public:
    // reloadPlugin unloads the plug-in and loads it again, as the hook's reload does.
    SoakFaults(sim::World& world, SoakRandom& random, const sim::Scenario& scenario,
               const std::filesystem::path& gameFolder, IniWatch& ini, std::function<void()> reloadPlugin);

    // Injects what is due before the coming frame; returns that frame's time.
    float BeforeFrame(std::uint64_t frame);
    // Puts the game folder and the INI back as a game would leave them.
    void Finish();

    std::uint64_t Count(Fault fault) const { return counts_[static_cast<int>(fault)]; }
    std::uint64_t Total() const;
    std::uint64_t TrainsRespawned() const { return trainsRespawned_; }

private:
    void Injected(Fault fault);
    bool VanishTrain();
    bool VanishWreck();
    std::vector<sim::Handle> VehiclesOfScripts() const;
    void RespawnTrains();
    void RespawnPlayer();
    void ReloadPlugin();
    void WriteIni(const std::string& content);
    bool RemoveIni();

    sim::World& world_;
    SoakRandom& random_;
    const sim::Scenario& scenario_;
    std::filesystem::path ini_;
    IniWatch& iniWatch_;
    std::function<void()> reloadPlugin_;
    UnwritableFolder unwritable_;
    std::array<std::uint64_t, FaultKinds> counts_{};
    std::uint64_t trainsRespawned_ = 0;

    std::uint64_t zeroFramesUntil_ = 0;
    std::uint64_t respawnPlayerAt_ = 0;  // 0: the player is alive
    std::uint64_t respawnTrainsAt_ = 0;  // 0: trains run, or none are awaited
    std::uint64_t iniFolderUntil_ = 0;
    std::uint64_t unwritableUntil_ = 0;
};

}  // namespace kelvane_sim
