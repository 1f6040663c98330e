#pragma once
// What pictures of a run need, gathered while it plays: the lie of the land, the player
// and the trains in every frame, the notable events, and the screen at notable moments.
// Plain data; the host API hands it over as JSON (ride_record_json.h).

#include <optional>
#include <string>
#include <vector>

#include "world/frame_record.h"

namespace sim {

struct MapPoint {
    double x = 0.0;
    double y = 0.0;
};

struct RideTrack {
    std::string name;
    bool loop = false;
    std::vector<MapPoint> points;  // along the rails, a few metres apart
};

struct RideWall {
    MapPoint from, to;
};

// One running train in one frame.
struct RideTrainSample {
    int train = 0;  // index into RideRecord::trainNames
    MapPoint lead;
    double speed = 0.0;               // m/s, signed along the lead's heading
    double cruise = 0.0;              // the game's cruise speed, m/s
    std::optional<double> commanded;  // what SET_TRAIN_SPEED imposed, m/s
    double playerDistance = 0.0;      // horizontal, from the player to the lead car, m
};

struct RideFrame {
    double time = 0.0;  // game time at the start of the frame, s
    MapPoint player;
    bool playerOnFoot = true;
    std::optional<double> derailmentBar;  // the fill of the derailment bar on screen
    std::vector<RideTrainSample> trains;
};

struct RideEvent {
    enum class Kind { Boarding, Leaving, Derailment, Explosion };
    Kind kind = Kind::Boarding;
    double time = 0.0;
    std::string train;  // the train boarded, left or derailed; "" for an explosion
    MapPoint where;
};

// A rail car's footprint on the map.
struct RideCar {
    MapPoint centre;
    MapPoint forward;  // unit vector
    double length = 0.0;
};

// Where a train's cars stood at a moment of the ride.
struct RideSnapshot {
    double time = 0.0;
    std::string moment;  // "start", "boarding", "leaving", "derailment", "end"
    std::string train;
    std::vector<RideCar> cars;
};

// A vehicle the plug-in created (a wreck), from its creation on.
struct RideWreck {
    int handle = 0;
    std::vector<MapPoint> path;
};

// The screen in one frame, chosen because something on it is worth seeing.
struct HudMoment {
    double time = 0.0;
    std::string caption;
    std::vector<DrawnText> texts;
    std::vector<DrawnRect> rects;
};

struct RideRecord {
    std::string scenario;
    double duration = 0.0;
    std::vector<std::string> trainNames;
    std::vector<RideTrack> tracks;
    std::vector<RideWall> walls;
    std::vector<RideFrame> frames;
    std::vector<RideEvent> events;
    std::vector<RideSnapshot> snapshots;
    std::vector<RideWreck> wrecks;
    std::vector<HudMoment> moments;
    std::vector<std::string> gaugesShown;  // every gauge the run showed, by name
};

}  // namespace sim
