#include "scenario/world_view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

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

std::string DescribeVehicle(const World& world, Handle vehicle) {
    const std::string train = TrainNameOf(world, vehicle);
    if (train.empty()) return "free vehicle " + std::to_string(vehicle);
    return train + " car " + std::to_string(CarIndex(world, vehicle));
}

std::string DescribePlayerPlace(const World& world) {
    const Ped* player = world.FindPed(world.PlayerPed());
    if (player == nullptr || player->vehicle == 0) return "on foot";
    return DescribeVehicle(world, player->vehicle) + " seat " + std::to_string(player->seat);
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

namespace {

constexpr float BarWidth = 0.1f;
constexpr float BarLeft = 0.45f;

bool IsBarBackground(const DrawnRect& rect) {
    return rect.width == BarWidth && rect.colour[0] == 255 && rect.colour[1] == 255 && rect.colour[2] == 255 &&
           rect.colour[3] == 63;
}

bool IsFillOf(const DrawnRect& rect, const DrawnRect& background) {
    return rect.y == background.y && rect.colour[3] == 255 && std::fabs(rect.x - (BarLeft + rect.width / 2.0f)) < 1e-4f;
}

}  // namespace

std::vector<ScreenBar> BarsOnScreen(const FrameRecord& frame) {
    std::vector<ScreenBar> bars;
    const auto& rects = frame.rects;
    for (std::size_t i = 0; i + 1 < rects.size(); ++i) {
        if (!IsBarBackground(rects[i]) || !IsFillOf(rects[i + 1], rects[i])) continue;
        const DrawnRect& fill = rects[i + 1];
        bars.push_back({fill.y, fill.width / BarWidth, fill.colour[1] < 255});
        ++i;
    }
    return bars;
}

std::string DescribeBar(const ScreenBar& bar) {
    // The lines the plug-in draws its gauges on, at the top and at the bottom.
    const auto on = [&](float top, float bottom) { return bar.y == top || bar.y == bottom; };
    if (bar.red && on(0.005f, 0.99f)) return "derailment bar";
    if (!bar.red && on(0.005f, 0.99f)) return "distance bar";
    if (!bar.red && on(0.044f, 0.951f)) return "doors bar";
    if (!bar.red && bar.y == 0.5f) return "boarding bar";
    char text[48];
    std::snprintf(text, sizeof text, "%s bar at y %.3f", bar.red ? "red" : "white", bar.y);
    return text;
}

std::optional<double> PlayerDistanceTo(const World& world, const Train& train) {
    const Ped* player = world.FindPed(world.PlayerPed());
    const Vehicle* lead = train.cars.empty() ? nullptr : world.FindVehicle(train.cars.front());
    if (player == nullptr || lead == nullptr) return std::nullopt;
    return Length2D(lead->position - player->position);
}

}  // namespace sim
