#include "scenario/timeline.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "scenario/scenario.h"
#include "scenario/world_view.h"

namespace sim {

namespace {

std::string Format(const char* format, double a, double b = 0.0, double c = 0.0) {
    char text[128];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

}  // namespace

void Timeline::Line(double time, const std::string& text) {
    out_ << Format("%8.2f s  ", time) << text << '\n';
}

namespace {

constexpr double StatusInterval = 5.0;      // s of game time between status lines
constexpr double TextRetellInterval = 1.0;  // a text that keeps changing is told at most this often

std::size_t FreeVehicleCount(const World& world) {
    std::size_t count = 0;
    for (const auto& [handle, vehicle] : world.Vehicles()) count += vehicle.train < 0 ? 1 : 0;
    return count;
}

}  // namespace

void Timeline::StatusLine(double time, const World& world) {
    std::string status = "player " + DescribePlayerPlace(world);
    if (const Ped* player = world.FindPed(world.PlayerPed()); player != nullptr && player->vehicle == 0) {
        status += Format(" at (%.1f, %.1f)", player->position.x, player->position.y);
    }
    for (const Train& train : world.Trains()) {
        if (train.deleted) continue;
        status += " | " + train.name + Format(" %.2f m/s (cruise %.2f)", train.speed, train.cruiseSpeed);
    }
    Line(time, "-- " + status);
}

void Timeline::ScreenLines(double time, const World& world) {
    std::map<std::pair<float, float>, std::string> texts;
    for (const DrawnText& text : world.Frame().texts) texts[{text.x, text.y}] = text.text;
    for (auto it = texts_.begin(); it != texts_.end();) {
        if (texts.count(it->first) == 0) {
            Line(time, "screen: \"" + it->second.text + "\" is gone");
            it = texts_.erase(it);
        } else {
            ++it;
        }
    }
    for (const auto& [position, text] : texts) {
        const auto known = texts_.find(position);
        if (known == texts_.end()) {
            Line(time, "screen shows \"" + text + "\"");
            texts_[position] = {text, text, time};
            continue;
        }
        known->second.text = text;
    }
    // A text that changes in every frame (the speed) is told again once a second at most.
    for (auto& [position, shown] : texts_) {
        if (shown.text != shown.reported && time - shown.reportedAt >= TextRetellInterval) {
            Line(time, "screen shows \"" + shown.text + "\"");
            shown.reported = shown.text;
            shown.reportedAt = time;
        }
    }

    std::map<std::string, int> quarters;
    for (const ScreenBar& bar : BarsOnScreen(world.Frame())) {
        quarters[DescribeBar(bar)] = static_cast<int>(std::floor(std::clamp(bar.fill, 0.0f, 1.0f) * 4.0f));
    }
    for (const auto& [name, quarter] : barQuarters_) {
        if (quarters.count(name) == 0) Line(time, "screen: the " + name + " is gone");
    }
    for (const auto& [name, quarter] : quarters) {
        const auto known = barQuarters_.find(name);
        if (known == barQuarters_.end()) {
            Line(time, "screen shows the " + name + Format(", %.0f %% full", quarter * 25.0));
        } else if (known->second != quarter) {
            Line(time, "screen: the " + name + Format(" is %.0f %% full", quarter * 25.0));
        }
    }
    barQuarters_ = std::move(quarters);
}

void Timeline::WorldLines(double time, const World& world) {
    if (world.Camera().active && !shaking_) Line(time, "the camera starts shaking");
    if (!world.Camera().active && shaking_) Line(time, "the camera stops shaking");
    shaking_ = world.Camera().active;

    std::set<std::string> trains;
    for (const Train& train : world.Trains()) {
        if (!train.deleted) trains.insert(train.name);
    }
    for (const std::string& name : trains_) {
        if (trains.count(name) == 0) Line(time, "train " + name + " is gone");
    }
    trains_ = std::move(trains);
    if (world.Derailments() > derailments_) Line(time, "DERAILMENT: the train leaves the rails");
    derailments_ = world.Derailments();
    const std::size_t free = FreeVehicleCount(world);
    if (free != freeVehicles_) {
        Line(time, std::to_string(free) + (free == 1 ? " free vehicle" : " free vehicles") + " (wrecks and the cab) in the world");
    }
    freeVehicles_ = free;
    for (const Explosion& explosion : world.Frame().explosions) {
        Line(time, Format("EXPLOSION at (%.1f, %.1f, %.1f)", explosion.position.x, explosion.position.y,
                          explosion.position.z) +
                       Format(", damage %.2f, shake %.2f", explosion.damageScale, explosion.cameraShake));
    }
    for (const auto& [handle, vehicle] : world.Vehicles()) {
        for (int door = 0; door < DoorCount; ++door) {
            const float ratio = vehicle.doors[door];
            const int state = ratio <= 0.0f ? -1 : ratio >= 1.0f ? 1 : 0;
            int& known = doorStates_.try_emplace({handle, door}, -1).first->second;
            if (state == known) continue;
            const std::string name = "door " + std::to_string(door) + " of " + DescribeVehicle(world, handle);
            if (state == 1) Line(time, name + " is open");
            if (state == -1) Line(time, name + " is shut");
            if (state == 0) Line(time, name + (known == -1 ? " opens" : " closes"));
            known = state;
        }
    }
    for (const Horn& horn : world.Frame().horns) Line(time, "the horn of vehicle " + std::to_string(horn.vehicle) + " sounds");
}

void Timeline::Frame(double frameStart, const World& world) {
    const Controls& input = world.Input();
    for (int control : input.Held()) {
        if (held_.count(control) == 0) Line(frameStart, std::string(ControlName(control)) + " (" + std::to_string(control) + ") pressed");
    }
    for (int control : held_) {
        if (!input.Pressed(control)) Line(frameStart, std::string(ControlName(control)) + " (" + std::to_string(control) + ") released");
    }
    held_ = input.Held();

    const std::string place = DescribePlayerPlace(world);
    if (place != playerPlace_) Line(frameStart, "the player is now " + (place == "on foot" ? place : "in " + place));
    playerPlace_ = place;
    const Ped* player = world.FindPed(world.PlayerPed());
    if (player != nullptr && player->dead && !playerDead_) Line(frameStart, "the player dies");
    playerDead_ = player != nullptr && player->dead;

    ScreenLines(frameStart, world);
    WorldLines(frameStart, world);

    if (frameStart >= nextStatusTime_) {
        StatusLine(frameStart, world);
        nextStatusTime_ = (std::floor(frameStart / StatusInterval) + 1.0) * StatusInterval;
    }
}

}  // namespace sim
