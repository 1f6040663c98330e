#include "soak/soak_player.h"

#include <vector>

namespace kelvane_sim {

namespace {

constexpr double FramesPerSecond = 60.0;

// How a control is played: the chance of a press in a frame when it is not held, and
// how long a press holds it. Enter is often held past the boarding delay, the throttle
// long enough to build speed, the derailment key long enough to derail.
struct ControlPlay {
    int control;
    std::uint64_t pressOneIn;  // frames
    std::int64_t shortestHold, longestHold;  // frames
};

constexpr std::array<ControlPlay, 11> Controls = {{
    {23, 120, 1, 90},     // enter
    {71, 90, 30, 900},    // throttle
    {72, 300, 10, 240},   // brake
    {76, 900, 10, 120},   // handbrake
    {73, 600, 30, 300},   // manual derailment
    {34, 900, 1, 30},     // seat left
    {35, 900, 1, 30},     // seat right
    {74, 900, 1, 30},     // full beam
    {86, 400, 1, 60},     // horn, and the engineer command when short
    {75, 1200, 1, 10},    // leave
    {113, 600, 1, 30},    // doors
}};

}  // namespace

std::set<int> SoakPlayer::BeforeFrame(std::uint64_t frame) {
    if (frame >= nextMove_) {
        Move();
        nextMove_ = frame + static_cast<std::uint64_t>(random_.Within(3.0, 20.0) * FramesPerSecond);
    }
    std::set<int> held;
    for (std::size_t i = 0; i < Controls.size(); ++i) {
        const ControlPlay& play = Controls[i];
        if (heldUntil_[i] <= frame && random_.OneIn(play.pressOneIn)) {
            heldUntil_[i] = frame + static_cast<std::uint64_t>(random_.Between(play.shortestHold, play.longestHold));
        }
        if (heldUntil_[i] > frame) held.insert(play.control);
    }
    return held;
}

bool SoakPlayer::Boarded() {
    const sim::Ped* player = world_.FindPed(world_.PlayerPed());
    const sim::Handle vehicle = player != nullptr ? player->vehicle : 0;
    const sim::Vehicle* car = world_.FindVehicle(vehicle);
    const bool boarded = vehicle != lastVehicle_ && car != nullptr && car->train >= 0;
    lastVehicle_ = vehicle;
    return boarded;
}

void SoakPlayer::Move() {
    const sim::Ped* player = world_.FindPed(world_.PlayerPed());
    if (player == nullptr || player->dead) return;
    // Seated, the player mostly drives on; now and then the game moves the player out.
    if (player->vehicle != 0 && !random_.OneIn(6)) return;

    std::vector<const sim::Vehicle*> leads;
    std::vector<const sim::Vehicle*> cars;
    for (const sim::Train& train : world_.Trains()) {
        if (train.deleted || train.cars.empty()) continue;
        leads.push_back(world_.FindVehicle(train.cars.front()));
        for (sim::Handle car : train.cars) cars.push_back(world_.FindVehicle(car));
    }
    // One draw per statement: the order in which a call's arguments are evaluated is
    // the compiler's choice, and a run must replay in every build.
    const std::uint64_t choice = random_.Below(100);
    if (leads.empty() || choice >= 85) {
        // Far from every train: nothing to board.
        const double x = random_.Within(-3000.0, 3000.0);
        world_.PlacePed(world_.PlayerPed(), {x, 5000.0, 1.0}, 0.0);
    } else if (choice < 50) {
        const sim::Vehicle& lead = *leads[random_.Below(leads.size())];
        PutBeside(lead, 12.0, 10.0);
    } else if (choice < 70) {
        const sim::Vehicle& car = *cars[random_.Below(cars.size())];
        PutBeside(car, 8.0, 6.0);
    } else {
        // Some way off, walking up to a locomotive or tram.
        const sim::Vehicle& lead = *leads[random_.Below(leads.size())];
        PutBeside(lead, 30.0, 40.0);
        const double speed = random_.Within(1.0, 6.0);
        world_.WalkPedTo(world_.PlayerPed(), lead.position, speed);
    }
}

void SoakPlayer::PutBeside(const sim::Vehicle& vehicle, double mostAlong, double mostAside) {
    const double along = random_.Within(-mostAlong, mostAlong);
    const double aside = random_.Within(-mostAside, mostAside);
    const double heading = random_.Within(0.0, 360.0);
    const sim::Vec3& f = vehicle.forward;
    // On the ground beside it: a rail vehicle's origin is half a metre above the rail.
    const sim::Vec3 at{vehicle.position.x + along * f.x + aside * f.y, vehicle.position.y + along * f.y - aside * f.x,
                       vehicle.position.z + 0.5};
    world_.PlacePed(world_.PlayerPed(), at, heading);
}

}  // namespace kelvane_sim
