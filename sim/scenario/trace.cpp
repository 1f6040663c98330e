#include "scenario/trace.h"

#include "scenario/float_json.h"
#include "scenario/world_view.h"

namespace sim {

namespace {

using Json = FloatJson;

}  // namespace

void WriteTraceLine(std::ostream& out, const World& world, double frameStart, std::uint64_t nativeCalls) {
    Json line;
    line["frame"] = world.FrameNumber() - 1;
    line["time_ms"] = static_cast<std::uint64_t>(std::llround(frameStart * 1000.0));
    line["frame_time"] = world.FrameTime();
    line["native_calls"] = nativeCalls;

    const Ped* player = world.FindPed(world.PlayerPed());
    Json playerJson;
    playerJson["pos"] = JsonPoint(player->position);
    playerJson["vehicle"] = player->vehicle;
    playerJson["seat"] = player->vehicle != 0 ? Json(player->seat) : Json(nullptr);
    playerJson["dead"] = player->dead;
    line["player"] = playerJson;

    Json trains = Json::array();
    for (const Train& train : world.Trains()) {
        if (train.deleted || train.cars.empty()) continue;
        const Vehicle* lead = world.FindVehicle(train.cars.front());
        Json entry;
        entry["name"] = train.name;
        entry["lead"] = train.cars.front();
        entry["pos"] = lead ? JsonPoint(lead->position) : Json(nullptr);
        entry["speed"] = static_cast<float>(train.speed);
        entry["set_speed"] = JsonOptional(train.appliedCommand);
        entry["cruise"] = static_cast<float>(train.cruiseSpeed);
        trains.push_back(entry);
    }
    line["trains"] = trains;

    Json vehicles = Json::array();
    for (const auto& [handle, vehicle] : world.Vehicles()) {
        Json entry;
        entry["handle"] = handle;
        entry["model"] = vehicle.model;
        const std::string train = TrainNameOf(world, handle);
        entry["train"] = train.empty() ? Json(nullptr) : Json(train);
        entry["pos"] = JsonPoint(vehicle.position);
        entry["speed"] = static_cast<float>(Length(vehicle.velocity));
        Json doors = Json::array();
        for (float ratio : vehicle.doors) doors.push_back(ratio);
        entry["doors"] = doors;
        entry["full_beam"] = vehicle.fullBeam;
        vehicles.push_back(entry);
    }
    line["vehicles"] = vehicles;

    Json texts = Json::array();
    for (const DrawnText& text : world.Frame().texts) {
        texts.push_back({{"text", text.text},
                         {"x", text.x},
                         {"y", text.y},
                         {"scale", text.style.scaleX},
                         {"alpha", text.style.colour[3]}});
    }
    line["texts"] = texts;

    Json rects = Json::array();
    for (const DrawnRect& rect : world.Frame().rects) {
        rects.push_back({{"x", rect.x},
                         {"y", rect.y},
                         {"w", rect.width},
                         {"h", rect.height},
                         {"colour", {rect.colour[0], rect.colour[1], rect.colour[2], rect.colour[3]}}});
    }
    line["rects"] = rects;

    const CameraShake& camera = world.Camera();
    line["camera_shake"] =
        camera.active ? Json{{"name", camera.name}, {"amplitude", camera.amplitude}} : Json(nullptr);

    Json explosions = Json::array();
    for (const Explosion& explosion : world.Frame().explosions) {
        explosions.push_back({{"pos", JsonPoint(explosion.position)},
                              {"type", explosion.type},
                              {"damage", explosion.damageScale},
                              {"audible", explosion.audible},
                              {"invisible", explosion.invisible},
                              {"shake", explosion.cameraShake}});
    }
    line["explosions"] = explosions;

    Json horns = Json::array();
    for (const Horn& horn : world.Frame().horns) horns.push_back({{"vehicle", horn.vehicle}, {"mode", horn.mode}});
    line["horns"] = horns;
    line["derailments"] = world.Derailments();

    out << line.dump() << '\n';
}

}  // namespace sim
