#pragma once
// The ride record as JSON, both ways: the stand-in writes it, the tool reads it back.

#include <nlohmann/json.hpp>

#include "scenario/ride_record.h"

namespace sim {

namespace ride_json {

template <typename Number, std::size_t N>
void ReadArray(const nlohmann::json& j, Number (&values)[N]) {
    for (std::size_t i = 0; i < N && i < j.size(); ++i) values[i] = j[i].get<Number>();
}

inline const char* KindName(RideEvent::Kind kind) {
    switch (kind) {
        case RideEvent::Kind::Boarding: return "boarding";
        case RideEvent::Kind::Leaving: return "leaving";
        case RideEvent::Kind::Derailment: return "derailment";
        case RideEvent::Kind::Explosion: return "explosion";
    }
    return "";
}

inline RideEvent::Kind KindNamed(const std::string& name) {
    for (RideEvent::Kind kind : {RideEvent::Kind::Boarding, RideEvent::Kind::Leaving, RideEvent::Kind::Derailment,
                                 RideEvent::Kind::Explosion}) {
        if (name == KindName(kind)) return kind;
    }
    throw std::runtime_error("unknown event kind '" + name + "' in the ride record");
}

}  // namespace ride_json

inline void to_json(nlohmann::json& j, const MapPoint& p) { j = {p.x, p.y}; }
inline void from_json(const nlohmann::json& j, MapPoint& p) {
    p.x = j.at(0).get<double>();
    p.y = j.at(1).get<double>();
}

inline void to_json(nlohmann::json& j, const RideTrack& t) {
    j = {{"name", t.name}, {"loop", t.loop}, {"points", t.points}};
}
inline void from_json(const nlohmann::json& j, RideTrack& t) {
    j.at("name").get_to(t.name);
    j.at("loop").get_to(t.loop);
    j.at("points").get_to(t.points);
}

inline void to_json(nlohmann::json& j, const RideWall& w) { j = {{"from", w.from}, {"to", w.to}}; }
inline void from_json(const nlohmann::json& j, RideWall& w) {
    j.at("from").get_to(w.from);
    j.at("to").get_to(w.to);
}

inline void to_json(nlohmann::json& j, const RideTrainSample& s) {
    j = {{"train", s.train},
         {"lead", s.lead},
         {"speed", s.speed},
         {"cruise", s.cruise},
         {"commanded", s.commanded ? nlohmann::json(*s.commanded) : nlohmann::json(nullptr)},
         {"player_distance", s.playerDistance}};
}
inline void from_json(const nlohmann::json& j, RideTrainSample& s) {
    j.at("train").get_to(s.train);
    j.at("lead").get_to(s.lead);
    j.at("speed").get_to(s.speed);
    j.at("cruise").get_to(s.cruise);
    const nlohmann::json& commanded = j.at("commanded");
    s.commanded = commanded.is_null() ? std::nullopt : std::optional<double>(commanded.get<double>());
    j.at("player_distance").get_to(s.playerDistance);
}

inline void to_json(nlohmann::json& j, const RideFrame& f) {
    j = {{"time", f.time},
         {"player", f.player},
         {"on_foot", f.playerOnFoot},
         {"derailment_bar", f.derailmentBar ? nlohmann::json(*f.derailmentBar) : nlohmann::json(nullptr)},
         {"trains", f.trains}};
}
inline void from_json(const nlohmann::json& j, RideFrame& f) {
    j.at("time").get_to(f.time);
    j.at("player").get_to(f.player);
    j.at("on_foot").get_to(f.playerOnFoot);
    const nlohmann::json& bar = j.at("derailment_bar");
    f.derailmentBar = bar.is_null() ? std::nullopt : std::optional<double>(bar.get<double>());
    j.at("trains").get_to(f.trains);
}

inline void to_json(nlohmann::json& j, const RideEvent& e) {
    j = {{"kind", ride_json::KindName(e.kind)}, {"time", e.time}, {"train", e.train}, {"where", e.where}};
}
inline void from_json(const nlohmann::json& j, RideEvent& e) {
    e.kind = ride_json::KindNamed(j.at("kind").get<std::string>());
    j.at("time").get_to(e.time);
    j.at("train").get_to(e.train);
    j.at("where").get_to(e.where);
}

inline void to_json(nlohmann::json& j, const RideCar& c) {
    j = {{"centre", c.centre}, {"forward", c.forward}, {"length", c.length}};
}
inline void from_json(const nlohmann::json& j, RideCar& c) {
    j.at("centre").get_to(c.centre);
    j.at("forward").get_to(c.forward);
    j.at("length").get_to(c.length);
}

inline void to_json(nlohmann::json& j, const RideSnapshot& s) {
    j = {{"time", s.time}, {"moment", s.moment}, {"train", s.train}, {"cars", s.cars}};
}
inline void from_json(const nlohmann::json& j, RideSnapshot& s) {
    j.at("time").get_to(s.time);
    j.at("moment").get_to(s.moment);
    j.at("train").get_to(s.train);
    j.at("cars").get_to(s.cars);
}

inline void to_json(nlohmann::json& j, const RideWreck& w) { j = {{"handle", w.handle}, {"path", w.path}}; }
inline void from_json(const nlohmann::json& j, RideWreck& w) {
    j.at("handle").get_to(w.handle);
    j.at("path").get_to(w.path);
}

inline void to_json(nlohmann::json& j, const DrawnText& t) {
    const TextStyle& s = t.style;
    j = {{"text", t.text},
         {"x", t.x},
         {"y", t.y},
         {"font", s.font},
         {"scale", {s.scaleX, s.scaleY}},
         {"colour", s.colour},
         {"wrap", {s.wrapStart, s.wrapEnd}},
         {"centre", s.centre},
         {"drop_shadow", s.dropShadow},
         {"edge", s.edge}};
}
inline void from_json(const nlohmann::json& j, DrawnText& t) {
    TextStyle& s = t.style;
    j.at("text").get_to(t.text);
    s.text = t.text;
    j.at("x").get_to(t.x);
    j.at("y").get_to(t.y);
    j.at("font").get_to(s.font);
    j.at("scale").at(0).get_to(s.scaleX);
    j.at("scale").at(1).get_to(s.scaleY);
    ride_json::ReadArray(j.at("colour"), s.colour);
    j.at("wrap").at(0).get_to(s.wrapStart);
    j.at("wrap").at(1).get_to(s.wrapEnd);
    j.at("centre").get_to(s.centre);
    ride_json::ReadArray(j.at("drop_shadow"), s.dropShadow);
    ride_json::ReadArray(j.at("edge"), s.edge);
}

inline void to_json(nlohmann::json& j, const DrawnRect& r) {
    j = {{"x", r.x}, {"y", r.y}, {"w", r.width}, {"h", r.height}, {"colour", r.colour}};
}
inline void from_json(const nlohmann::json& j, DrawnRect& r) {
    j.at("x").get_to(r.x);
    j.at("y").get_to(r.y);
    j.at("w").get_to(r.width);
    j.at("h").get_to(r.height);
    ride_json::ReadArray(j.at("colour"), r.colour);
}

inline void to_json(nlohmann::json& j, const HudMoment& m) {
    j = {{"time", m.time}, {"caption", m.caption}, {"texts", m.texts}, {"rects", m.rects}};
}
inline void from_json(const nlohmann::json& j, HudMoment& m) {
    j.at("time").get_to(m.time);
    j.at("caption").get_to(m.caption);
    j.at("texts").get_to(m.texts);
    j.at("rects").get_to(m.rects);
}

inline void to_json(nlohmann::json& j, const RideRecord& r) {
    j = {{"scenario", r.scenario}, {"duration", r.duration}, {"train_names", r.trainNames},
         {"tracks", r.tracks},     {"walls", r.walls},       {"frames", r.frames},
         {"events", r.events},     {"snapshots", r.snapshots}, {"wrecks", r.wrecks},
         {"moments", r.moments},   {"gauges_shown", r.gaugesShown}};
}
inline void from_json(const nlohmann::json& j, RideRecord& r) {
    j.at("scenario").get_to(r.scenario);
    j.at("duration").get_to(r.duration);
    j.at("train_names").get_to(r.trainNames);
    j.at("tracks").get_to(r.tracks);
    j.at("walls").get_to(r.walls);
    j.at("frames").get_to(r.frames);
    j.at("events").get_to(r.events);
    j.at("snapshots").get_to(r.snapshots);
    j.at("wrecks").get_to(r.wrecks);
    j.at("moments").get_to(r.moments);
    j.at("gauges_shown").get_to(r.gaugesShown);
}

}  // namespace sim
