#pragma once
// The player of a soak: presses and holds the plug-in's controls at random, and moves
// about the trains (put beside a car, walking up to one, sent far away) so that
// boarding, driving, leaving and derailing happen.

#include <array>
#include <cstdint>
#include <set>

#include "soak/soak_random.h"
#include "world/world.h"

namespace kelvane_sim {

class SoakPlayer {
public:
    SoakPlayer(sim::World& world, SoakRandom& random) : world_(world), random_(random) {}

    // The controls held in the coming frame; moves the player first when it is time.
    std::set<int> BeforeFrame(std::uint64_t frame);
    // After the frame: whether the player has just been seated in a train.
    bool Boarded();

private:
    void Move();
    // Somewhere up to mostAlong metres ahead or behind and mostAside to either side.
    void PutBeside(const sim::Vehicle& vehicle, double mostAlong, double mostAside);

    sim::World& world_;
    SoakRandom& random_;
    std::array<std::uint64_t, 11> heldUntil_{};  // by the control's place in the table
    std::uint64_t nextMove_ = 0;
    sim::Handle lastVehicle_ = 0;
};

}  // namespace kelvane_sim
