#include "scenario/play_view.h"

#include <algorithm>
#include <cmath>

#include "scenario/float_json.h"
#include "scenario/world_view.h"

namespace sim {

namespace {

using Json = FloatJson;

constexpr double FlashLifetime = 1.5;  // s of game time an explosion stays listed
constexpr double MaxTrackSamples = 100000.0;

Json Plane(const Vec3& v) { return Json::array({static_cast<float>(v.x), static_cast<float>(v.y)}); }

const char* KindOf(ModelHash model) {
    if (model == FreightLocomotiveModel) return "freight_locomotive";
    if (model == TramModel) return "tram";
    return "car";
}

template <std::size_t N>
Json Numbers(const int (&values)[N]) {
    Json list = Json::array();
    for (int value : values) list.push_back(value);
    return list;
}

}  // namespace

std::string DescribeScene(const World& world, double sampleSpacing) {
    Json tracks = Json::array();
    for (const Track& track : world.Tracks()) {
        Json points = Json::array();
        const double wanted = std::ceil(track.Length() / sampleSpacing);
        const int steps = wanted > 1.0 ? static_cast<int>(std::min(wanted, MaxTrackSamples)) : 1;
        for (int i = 0; i <= steps; ++i) points.push_back(Plane(track.At(track.Length() * i / steps).position));
        tracks.push_back({{"name", track.Name()}, {"loop", track.Loop()}, {"points", points}});
    }
    Json walls = Json::array();
    for (const World::Wall& wall : world.Walls()) walls.push_back({{"from", Plane(wall.from)}, {"to", Plane(wall.to)}});
    Json scene;
    scene["tracks"] = tracks;
    scene["walls"] = walls;
    return scene.dump();
}

void PlayView::Observe(const World& world) {
    const double now = world.GameTime();
    for (const Explosion& explosion : world.Frame().explosions) flashes_.push_back({explosion.position, now});
    while (!flashes_.empty() && now - flashes_.front().time > FlashLifetime) flashes_.pop_front();
}

std::string PlayView::DescribeFrame(const World& world) const {
    Json frame;
    frame["frame"] = world.FrameNumber();
    frame["time"] = world.GameTime();
    Json held = Json::array();
    for (int control : world.Input().Held()) held.push_back(control);
    frame["controls"] = held;

    const Ped* player = world.FindPed(world.PlayerPed());
    Json you;
    you["pos"] = JsonPoint(player->position);
    you["fwd"] = Plane(player->forward);
    you["place"] = DescribePlayerPlace(world);
    you["vehicle"] = player->vehicle;
    you["seat"] = player->vehicle != 0 ? Json(player->seat) : Json(nullptr);
    const std::string train = TrainNameOf(world, player->vehicle);
    you["train"] = train.empty() ? Json(nullptr) : Json(train);
    you["dead"] = player->dead;
    frame["player"] = you;

    Json peds = Json::array();
    for (const auto& [handle, ped] : world.Peds()) {
        if (handle == world.PlayerPed() || ped.vehicle != 0) continue;
        peds.push_back({{"pos", Plane(ped.position)}, {"fwd", Plane(ped.forward)}, {"dead", ped.dead}});
    }
    frame["peds"] = peds;

    Json trains = Json::array();
    for (const Train& running : world.Trains()) {
        if (running.deleted || running.cars.empty()) continue;
        trains.push_back({{"name", running.name},
                          {"lead", running.cars.front()},
                          {"speed", static_cast<float>(running.speed)},
                          {"set_speed", JsonOptional(running.appliedCommand)},
                          {"cruise", static_cast<float>(running.cruiseSpeed)}});
    }
    frame["trains"] = trains;

    Json vehicles = Json::array();
    for (const auto& [handle, vehicle] : world.Vehicles()) {
        const std::string name = TrainNameOf(world, handle);
        vehicles.push_back({{"handle", handle},
                            {"kind", KindOf(vehicle.model)},
                            {"length", static_cast<float>(GeometryOf(vehicle.model).length)},
                            {"train", name.empty() ? Json(nullptr) : Json(name)},
                            {"pos", JsonPoint(vehicle.position)},
                            {"fwd", Plane(vehicle.forward)},
                            {"door", vehicle.doors[0]},
                            {"full_beam", vehicle.fullBeam}});
    }
    frame["vehicles"] = vehicles;

    Json texts = Json::array();
    for (const DrawnText& text : world.Frame().texts) {
        texts.push_back({{"text", text.text},
                         {"x", text.x},
                         {"y", text.y},
                         {"font", text.style.font},
                         {"scale", {text.style.scaleX, text.style.scaleY}},
                         {"colour", Numbers(text.style.colour)},
                         {"centre", text.style.centre},
                         {"wrap", {text.style.wrapStart, text.style.wrapEnd}},
                         {"shadow", Numbers(text.style.dropShadow)},
                         {"edge", Numbers(text.style.edge)}});
    }
    frame["texts"] = texts;

    Json rects = Json::array();
    for (const DrawnRect& rect : world.Frame().rects) {
        rects.push_back(
            {{"x", rect.x}, {"y", rect.y}, {"w", rect.width}, {"h", rect.height}, {"colour", Numbers(rect.colour)}});
    }
    frame["rects"] = rects;

    Json flashes = Json::array();
    for (const Flash& flash : flashes_) {
        flashes.push_back({{"pos", Plane(flash.position)}, {"age", static_cast<float>(world.GameTime() - flash.time)}});
    }
    frame["explosions"] = flashes;
    const CameraShake& camera = world.Camera();
    frame["camera_shake"] = camera.active ? Json(camera.amplitude) : Json(nullptr);
    frame["derailments"] = world.Derailments();
    return frame.dump();
}

}  // namespace sim
