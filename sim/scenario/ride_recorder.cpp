#include "scenario/ride_recorder.h"

#include <algorithm>
#include <cmath>

#include "scenario/world_view.h"

namespace sim {

namespace {

constexpr double TrackSampleSpacing = 2.0;  // m between the points of a drawn track
constexpr double WreckPathSpacing = 0.25;   // m a wreck moves before its path gets a point

MapPoint OnMap(const Vec3& v) { return {v.x, v.y}; }

double Apart(const MapPoint& a, const MapPoint& b) { return std::hypot(a.x - b.x, a.y - b.y); }

RideTrack SampleTrack(const Track& track) {
    RideTrack drawn{track.Name(), track.Loop(), {}};
    const int pieces = std::max(1, static_cast<int>(std::ceil(track.Length() / TrackSampleSpacing)));
    for (int i = 0; i <= pieces; ++i) drawn.points.push_back(OnMap(track.At(track.Length() * i / pieces).position));
    return drawn;
}

}  // namespace

RideRecorder::RideRecorder(const World& world, std::string scenario, double duration) {
    record_.scenario = std::move(scenario);
    record_.duration = duration;
    for (const Track& track : world.Tracks()) record_.tracks.push_back(SampleTrack(track));
    for (const World::Wall& wall : world.Walls()) record_.walls.push_back({OnMap(wall.from), OnMap(wall.to)});
}

int RideRecorder::TrainIndex(const std::string& name) {
    const auto known = std::find(record_.trainNames.begin(), record_.trainNames.end(), name);
    if (known != record_.trainNames.end()) return static_cast<int>(known - record_.trainNames.begin());
    record_.trainNames.push_back(name);
    return static_cast<int>(record_.trainNames.size()) - 1;
}

void RideRecorder::Snapshot(double time, const std::string& moment, const World& world, const Train& train) {
    RideSnapshot snapshot{time, moment, train.name, {}};
    for (Handle handle : train.cars) {
        if (const Vehicle* car = world.FindVehicle(handle)) {
            snapshot.cars.push_back({OnMap(car->position), OnMap(Normalized({car->forward.x, car->forward.y, 0.0})),
                                     GeometryOf(car->model).length});
        }
    }
    lastSeen_[train.name] = snapshot;
    if (!moment.empty()) record_.snapshots.push_back(std::move(snapshot));
}

void RideRecorder::Frame(double frameStart, const World& world) {
    const Ped* player = world.FindPed(world.PlayerPed());
    RideFrame frame;
    frame.time = frameStart;
    if (player != nullptr) frame.player = OnMap(player->position);
    frame.playerOnFoot = player == nullptr || player->vehicle == 0;
    for (const ScreenBar& bar : BarsOnScreen(world.Frame())) {
        if (DescribeBar(bar) == "derailment bar") frame.derailmentBar = bar.fill;
    }

    // Boarding and leaving, by the seat the player takes or gives up.
    const Handle vehicle = frame.playerOnFoot ? 0 : player->vehicle;
    const std::string train = TrainNameOf(world, vehicle);
    const bool boards = playerVehicle_ == 0 && vehicle != 0 && !train.empty();
    const bool leaves = playerVehicle_ != 0 && vehicle == 0;
    if (boards) record_.events.push_back({RideEvent::Kind::Boarding, frameStart, train, frame.player});
    if (leaves) record_.events.push_back({RideEvent::Kind::Leaving, frameStart, playerTrain_, frame.player});

    if (world.Derailments() > derailments_) {
        const auto last = lastSeen_.find(playerTrain_);
        const MapPoint where = last != lastSeen_.end() && !last->second.cars.empty() ? last->second.cars.front().centre
                                                                                      : frame.player;
        record_.events.push_back({RideEvent::Kind::Derailment, frameStart, playerTrain_, where});
        if (last != lastSeen_.end()) {
            RideSnapshot snapshot = last->second;
            snapshot.time = frameStart;
            snapshot.moment = "derailment";
            record_.snapshots.push_back(std::move(snapshot));
        }
    }
    derailments_ = world.Derailments();
    for (const Explosion& explosion : world.Frame().explosions) {
        record_.events.push_back({RideEvent::Kind::Explosion, frameStart, "", OnMap(explosion.position)});
    }

    for (const Train& running : world.Trains()) {
        if (running.deleted || running.cars.empty()) continue;
        const Vehicle* lead = world.FindVehicle(running.cars.front());
        if (lead == nullptr) continue;
        RideTrainSample sample;
        sample.train = TrainIndex(running.name);
        sample.lead = OnMap(lead->position);
        sample.speed = running.speed;
        sample.cruise = running.cruiseSpeed;
        sample.commanded = running.appliedCommand;
        sample.playerDistance = PlayerDistanceTo(world, running).value_or(0.0);
        frame.trains.push_back(sample);
        const bool first = lastSeen_.count(running.name) == 0;
        const bool boarded = boards && running.name == train;
        const bool left = leaves && running.name == playerTrain_;
        Snapshot(frameStart, first ? "start" : boarded ? "boarding" : left ? "leaving" : "", world, running);
    }

    for (const auto& [handle, wreck] : world.Vehicles()) {
        if (wreck.train >= 0 || !wreck.createdByScript) continue;
        const auto [it, added] = wreckIndex_.try_emplace(handle, record_.wrecks.size());
        if (added) record_.wrecks.push_back({handle, {}});
        std::vector<MapPoint>& path = record_.wrecks[it->second].path;
        if (path.empty() || Apart(path.back(), OnMap(wreck.position)) >= WreckPathSpacing) {
            path.push_back(OnMap(wreck.position));
        }
    }

    moments_.Frame(world.FrameNumber(), frameStart, world.Frame());
    record_.frames.push_back(std::move(frame));
    playerVehicle_ = vehicle;
    playerTrain_ = vehicle == 0 ? playerTrain_ : train;
}

RideRecord RideRecorder::Finish(const World& world) const {
    RideRecord record = record_;
    for (const Train& running : world.Trains()) {
        if (running.deleted || lastSeen_.count(running.name) == 0) continue;
        RideSnapshot snapshot = lastSeen_.at(running.name);
        snapshot.time = world.GameTime();
        snapshot.moment = "end";
        record.snapshots.push_back(std::move(snapshot));
    }
    record.moments = moments_.Moments();
    record.gaugesShown = moments_.GaugesShown();
    return record;
}

}  // namespace sim
