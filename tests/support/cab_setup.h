#pragma once
// A train on a long straight line, and the player put straight into its cab as a
// completed boarding leaves the cab state.

#include <string>
#include <vector>

#include "cab/cab_state.h"
#include "support/cab_frames.h"
#include "world/world.h"

namespace kelvane_test {

inline std::vector<sim::CarSpec> FreightCars(int carriages) {
    std::vector<sim::CarSpec> cars{{sim::FreightLocomotiveModel, false}};
    for (int i = 0; i < carriages; ++i) cars.push_back({sim::ModelFromName("freightcar"), false});
    return cars;
}

inline std::vector<sim::CarSpec> TramCars() { return {{sim::TramModel, false}, {sim::TramModel, true}}; }

// A train along +x with its lead car at x = distance, on a line 100 km long at height 0.
inline sim::Handle AddStraightTrain(sim::World& world, const std::vector<sim::CarSpec>& cars, double speed = 0.0,
                                    double distance = 50000.0) {
    if (world.Tracks().empty()) world.AddTrack(sim::Track("line", {{0, 0, 0}, {100000, 0, 0}}, false));
    sim::TrainSpec definition;
    definition.name = "train " + std::to_string(world.Trains().size());
    definition.distance = distance;
    definition.cars = cars;
    definition.speed = speed;
    definition.cruiseSpeed = speed;
    const int index = world.AddTrain(definition);
    return world.Trains()[index].cars[0];
}

// The player in the given seat of the lead car, driving at the train's speed.
inline void PutPlayerInCab(CabFrames& frames, sim::Handle lead, kelvane::TrainType type, int seat) {
    sim::World& world = frames.world();
    world.SetPedIntoVehicle(world.PlayerPed(), lead, seat);
    kelvane::CabState& state = frames.state;
    state.phase = kelvane::CabPhase::InCab;
    state.train = lead;
    state.trainType = type;
    const sim::Vehicle& car = *world.FindVehicle(lead);
    const sim::Train& train = world.Trains()[car.train];
    state.speed = static_cast<float>(train.speed);
    state.prevForwardX = static_cast<float>(car.forward.x);
    state.prevForwardY = static_cast<float>(car.forward.y);
}

}  // namespace kelvane_test
