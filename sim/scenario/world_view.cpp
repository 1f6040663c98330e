#include "scenario/world_view.h"

#include <algorithm>

namespace sim {

const Train* FindTrain(const World& world, const std::string& name) {
    for (const Train& train : world.Trains()) {
        if (train.name == name && !train.deleted) return &train;
    }
    return nullptr;
}

std::string TrainNameOf(const World& world, Handle vehicle) {
    const Vehicle* car = world.FindVehicle(vehicle);
    if (car == nullptr || car->train < 0) return "";
    return world.Trains()[car->train].name;
}

namespace {

int CarIndex(const World& world, Handle vehicle) {
    const Vehicle* car = world.FindVehicle(vehicle);
    if (car == nullptr || car->train < 0) return -1;
    const auto& cars = world.Trains()[car->train].cars;
    return static_cast<int>(std::find(cars.begin(), cars.end(), vehicle) - cars.begin());
}

}  // namespace

std::string DescribePlayerPlace(const World& world) {
    const Ped* player = world.FindPed(world.PlayerPed());
    if (player == nullptr || player->vehicle == 0) return "on foot";
    const std::string train = TrainNameOf(world, player->vehicle);
    const std::string seat = " seat " + std::to_string(player->seat);
    if (train.empty()) return "free vehicle " + std::to_string(player->vehicle) + seat;
    return train + " car " + std::to_string(CarIndex(world, player->vehicle)) + seat;
}

bool PlayerIsIn(const World& world, const std::string& place) {
    const Ped* player = world.FindPed(world.PlayerPed());
    const Handle vehicle = player ? player->vehicle : 0;
    if (place == "none") return vehicle == 0;
    if (place == "any") return vehicle != 0;
    if (vehicle == 0) return false;
    const std::string train = TrainNameOf(world, vehicle);
    if (place == "free") return train.empty();
    const auto colon = place.rfind(':');
    if (colon == std::string::npos) return train == place;
    return train == place.substr(0, colon) && std::to_string(CarIndex(world, vehicle)) == place.substr(colon + 1);
}

}  // namespace sim
