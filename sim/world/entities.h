#pragma once
// What the world is made of: peds, vehicles and the trains that vehicles form.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "world/geometry.h"

namespace sim {

using Handle = std::int32_t;
using ModelHash = std::uint32_t;

inline constexpr int DriverSeat = -1;
inline constexpr int PassengerSeat = 0;
inline constexpr int DoorCount = 8;

struct PedTask {
    enum class Kind { None, LeaveVehicle, ShuffleSeat };
    Kind kind = Kind::None;
    double remaining = 0.0;  // s of game time until it completes
};

struct Ped {
    Handle handle = 0;
    std::string name;
    Vec3 position;
    Vec3 forward{0.0, 1.0, 0.0};
    Handle vehicle = 0;  // 0 when on foot
    int seat = 0;
    bool dead = false;
    PedTask task;
    // Just out of a vehicle, the game still has the ped using it for a moment.
    Handle steppingAwayFrom = 0;
    double steppingAwayTime = 0.0;
    // Walking by the scenario's orders, to a target, or by a player's keys, in a direction
    // (a unit vector in the plane) until told otherwise.
    std::optional<Vec3> walkTarget;
    std::optional<Vec3> walkDirection;
    double walkSpeed = 0.0;
};

struct Vehicle {
    Handle handle = 0;
    ModelHash model = 0;
    Vec3 position;
    Vec3 forward{0.0, 1.0, 0.0};
    Vec3 velocity;
    int train = -1;         // index into the world's trains, -1 for a free vehicle
    bool reversed = false;  // faces against its train's heading
    Handle driver = 0;      // seat -1
    Handle passenger = 0;   // seat 0
    std::array<float, DoorCount> doors{};
    std::array<float, DoorCount> doorLimit{1, 1, 1, 1, 1, 1, 1, 1};  // a blocked door opens no further
    bool fullBeam = false;
    bool dynamic = false;
    bool canBeDamaged = false;
    bool visiblyDamageable = false;
    bool createdByScript = false;
};

struct Train {
    std::string name;
    int track = 0;
    std::vector<Handle> cars;  // index 0 is the lead vehicle
    double distance = 0.0;     // of the lead car along the track
    int heading = 1;           // +1 faces along the track's direction, -1 against it
    double speed = 0.0;        // m/s, positive along the heading
    double cruiseSpeed = 0.0;
    std::optional<double> commandedSpeed;  // set by the script for this frame only
    std::optional<double> appliedCommand;  // what the last frame's physics took from the script
    bool deleted = false;
};

}  // namespace sim
