#pragma once
// Gathers the ride record of a run frame by frame, from the world alone (black-box, as
// the trace).

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "scenario/hud_moments.h"
#include "scenario/ride_record.h"
#include "world/world.h"

namespace sim {

class RideRecorder {
public:
    // Takes the tracks and walls from the world as built.
    RideRecorder(const World& world, std::string scenario, double duration);

    // After each frame, with the game time at which that frame started.
    void Frame(double frameStart, const World& world);

    // The record so far, with the last positions of the trains still running.
    RideRecord Finish(const World& world) const;

private:
    int TrainIndex(const std::string& name);
    void Snapshot(double time, const std::string& moment, const World& world, const Train& train);

    RideRecord record_;
    HudMomentPicker moments_;
    Handle playerVehicle_ = 0;
    std::string playerTrain_;  // the train the player sat in last frame, "" if none
    int derailments_ = 0;
    // Each train's cars as they stood in the last frame, for the frame they vanish in.
    std::map<std::string, RideSnapshot> lastSeen_;
    std::map<Handle, std::size_t> wreckIndex_;
};

}  // namespace sim
