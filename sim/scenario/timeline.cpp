#include "scenario/timeline.h"

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

void Timeline::StatusLine(double time, const World& world) {
    std::string status = "player " + DescribePlayerPlace(world);
    if (const Ped* player = world.FindPed(world.PlayerPed()); player != nullptr && player->vehicle == 0) {
        status += Format(" at (%.1f, %.1f)", player->position.x, player->position.y);
    }
    for (const Train& train : world.Trains()) {
        if (train.deleted) continue;
        status += " | " + train.name + Format(" %.2f m/s (cruise %.2f)", train.speed, train.cruiseSpeed);
    }
    for (const auto& [position, text] : texts_) status += " | \"" + text + "\"";
    Line(time, status);
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
    if (place != playerPlace_) Line(frameStart, "player now " + place);
    playerPlace_ = place;
    const Ped* player = world.FindPed(world.PlayerPed());
    if (player != nullptr && player->dead && !playerDead_) Line(frameStart, "player died");
    playerDead_ = player != nullptr && player->dead;

    std::map<std::pair<float, float>, std::string> texts;
    for (const DrawnText& text : world.Frame().texts) texts[{text.x, text.y}] = text.text;
    for (const auto& [position, text] : texts) {
        if (texts_.count(position) == 0) Line(frameStart, "text shown: \"" + text + "\"");
    }
    for (const auto& [position, text] : texts_) {
        if (texts.count(position) == 0) Line(frameStart, "text gone: \"" + text + "\"");
    }
    texts_ = std::move(texts);

    if (world.Camera().active && !shaking_) Line(frameStart, "camera starts shaking");
    if (!world.Camera().active && shaking_) Line(frameStart, "camera stops shaking");
    shaking_ = world.Camera().active;

    std::set<std::string> trains;
    for (const Train& train : world.Trains()) {
        if (!train.deleted) trains.insert(train.name);
    }
    for (const std::string& name : trains_) {
        if (trains.count(name) == 0) Line(frameStart, "train " + name + " is gone");
    }
    trains_ = std::move(trains);
    if (world.Frame().vehiclesCreated > 0) {
        Line(frameStart, std::to_string(world.Frame().vehiclesCreated) + " vehicles created by the plug-in");
    }
    if (world.Derailments() > derailments_) Line(frameStart, "DERAILMENT");
    derailments_ = world.Derailments();
    for (const Explosion& explosion : world.Frame().explosions) {
        Line(frameStart, Format("explosion at (%.1f, %.1f, %.1f)", explosion.position.x, explosion.position.y,
                                explosion.position.z) +
                             Format(", damage %.2f, shake %.2f", explosion.damageScale, explosion.cameraShake));
    }
    for (const Horn& horn : world.Frame().horns) Line(frameStart, "horn of vehicle " + std::to_string(horn.vehicle));
    if (world.Vehicles().size() != vehicles_ && vehicles_ != 0) {
        Line(frameStart, std::to_string(world.Vehicles().size()) + " vehicles in the world");
    }
    vehicles_ = world.Vehicles().size();

    if (frameStart >= static_cast<double>(nextStatusSecond_)) {
        StatusLine(frameStart, world);
        nextStatusSecond_ = static_cast<long>(std::floor(frameStart)) + 1;
    }
}

}  // namespace sim
