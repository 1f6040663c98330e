#pragma once
// The ride record as JSON, both ways: the stand-in writes it, the tool reads it back.
// Keys are the fields' names.

#include <nlohmann/json.hpp>
#include <optional>

#include "scenario/ride_record.h"

namespace nlohmann {

// An optional value is null when empty.
template <typename T>
struct adl_serializer<std::optional<T>> {
    static void to_json(json& j, const std::optional<T>& value) {
        if (value) {
            j = *value;
        } else {
            j = nullptr;
        }
    }
    static void from_json(const json& j, std::optional<T>& value) {
        if (j.is_null()) {
            value.reset();
        } else {
            value = j.get<T>();
        }
    }
};

}  // namespace nlohmann

namespace sim {

NLOHMANN_JSON_SERIALIZE_ENUM(RideEvent::Kind, {{RideEvent::Kind::Boarding, "boarding"},
                                               {RideEvent::Kind::Leaving, "leaving"},
                                               {RideEvent::Kind::Derailment, "derailment"},
                                               {RideEvent::Kind::Explosion, "explosion"}})

NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(MapPoint, x, y)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(RideTrack, name, loop, points)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(RideWall, from, to)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(RideTrainSample, train, lead, speed, cruise, commanded, playerDistance)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(RideFrame, time, player, playerOnFoot, derailmentBar, trains)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(RideEvent, kind, time, train, where)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(RideCar, centre, forward, length)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(RideSnapshot, time, moment, train, cars)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(RideWreck, handle, path)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(TextStyle, font, scaleX, scaleY, colour, wrapStart, wrapEnd, centre, dropShadow,
                                   edge, entry, text)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(DrawnText, text, x, y, style)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(DrawnRect, x, y, width, height, colour)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(HudMoment, time, caption, texts, rects)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(RideRecord, scenario, duration, trainNames, tracks, walls, frames, events,
                                   snapshots, wrecks, moments, gaugesShown)

}  // namespace sim
