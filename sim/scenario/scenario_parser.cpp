// Scenario files are TOML, written by hand and commented; see scenarios/ for examples.

#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include <toml++/toml.h>

#include "scenario/scenario.h"

namespace sim {

namespace {

const std::map<std::string, int>& ControlNames() {
    static const std::map<std::string, int> names = {
        {"enter", 23},     {"seat_left", 34}, {"seat_right", 35}, {"throttle", 71}, {"brake", 72},
        {"derail", 73},    {"full_beam", 74}, {"leave", 75},      {"handbrake", 76}, {"horn", 86},
        {"doors", 113},
    };
    return names;
}

[[noreturn]] void Fail(const toml::node& node, const std::string& message) {
    std::ostringstream text;
    text << "line " << node.source().begin.line << ": " << message;
    throw std::runtime_error(text.str());
}

[[noreturn]] void Fail(const std::string& message) { throw std::runtime_error(message); }

double Number(const toml::node& node, const std::string& what) {
    if (const auto value = node.value<double>()) return *value;
    Fail(node, what + " must be a number");
}

double NumberOr(const toml::table& table, const char* key, double fallback) {
    const toml::node* node = table.get(key);
    return node ? Number(*node, key) : fallback;
}

std::optional<double> OptionalNumber(const toml::table& table, const char* key) {
    const toml::node* node = table.get(key);
    if (node == nullptr) return std::nullopt;
    return Number(*node, key);
}

std::string Text(const toml::node& node, const std::string& what) {
    if (const auto value = node.value<std::string>()) return *value;
    Fail(node, what + " must be a text");
}

std::optional<std::string> OptionalText(const toml::table& table, const char* key) {
    const toml::node* node = table.get(key);
    if (node == nullptr) return std::nullopt;
    return Text(*node, key);
}

std::optional<bool> OptionalFlag(const toml::table& table, const char* key) {
    const toml::node* node = table.get(key);
    if (node == nullptr) return std::nullopt;
    if (const auto value = node->value<bool>()) return *value;
    Fail(*node, std::string(key) + " must be true or false");
}

Vec3 Point(const toml::node& node, const std::string& what, double defaultZ = 0.0) {
    const toml::array* array = node.as_array();
    if (array == nullptr || array->size() < 2 || array->size() > 3) Fail(node, what + " must be [x, y] or [x, y, z]");
    Vec3 point{Number(*array->get(0), what), Number(*array->get(1), what), defaultZ};
    if (array->size() == 3) point.z = Number(*array->get(2), what);
    return point;
}

const toml::table& Table(const toml::node& node, const std::string& what) {
    if (const toml::table* table = node.as_table()) return *table;
    Fail(node, what + " must be a table");
}

template <typename Each>
void ForEachTable(const toml::table& root, const char* key, Each each) {
    const toml::node* node = root.get(key);
    if (node == nullptr) return;
    const toml::array* array = node->as_array();
    if (array == nullptr) Fail(*node, std::string(key) + " must be written as [[" + key + "]] tables");
    for (const toml::node& element : *array) each(Table(element, key));
}

void RejectUnknownKeys(const toml::table& table, std::initializer_list<const char*> known, const std::string& where) {
    for (const auto& [key, value] : table) {
        bool found = false;
        for (const char* name : known) found = found || key.str() == name;
        if (!found) Fail(value, "unknown key '" + std::string(key.str()) + "' in " + where);
    }
}

int Control(const toml::node& node) {
    if (const auto number = node.value<std::int64_t>()) return static_cast<int>(*number);
    if (const auto name = node.value<std::string>()) {
        if (const auto control = ControlByName(*name)) return *control;
    }
    Fail(node, "control must be a control number or one of: enter, throttle, brake, handbrake, derail, "
               "seat_left, seat_right, full_beam, horn, leave, doors");
}

CarSpec Car(const toml::node& node) {
    if (const auto name = node.value<std::string>()) return {ModelFromName(*name), false};
    if (const toml::table* table = node.as_table()) {
        RejectUnknownKeys(*table, {"model", "reversed"}, "a car");
        const toml::node* model = table->get("model");
        if (model == nullptr) Fail(node, "a car needs a model");
        CarSpec car;
        if (const auto hash = model->value<std::int64_t>()) {
            car.model = static_cast<ModelHash>(*hash);
        } else {
            car.model = ModelFromName(Text(*model, "model"));
        }
        car.reversed = OptionalFlag(*table, "reversed").value_or(false);
        return car;
    }
    Fail(node, "a car is a model name or { model = ..., reversed = ... }");
}

void ReadWhen(const toml::table& table, Expectation& expectation) {
    const toml::node* at = table.get("at");
    const toml::node* within = table.get("within");
    const toml::node* during = table.get("during");
    if ((at != nullptr) + (within != nullptr) + (during != nullptr) != 1) {
        Fail(table, "an expectation needs exactly one of at, within, during");
    }
    if (at != nullptr) {
        expectation.when = Expectation::When::At;
        expectation.from = expectation.to = Number(*at, "at");
        return;
    }
    const toml::node& window = within ? *within : *during;
    const toml::array* array = window.as_array();
    if (array == nullptr || array->size() != 2) Fail(window, "a time window is [from, to] in seconds");
    expectation.when = within ? Expectation::When::Within : Expectation::When::During;
    expectation.from = Number(*array->get(0), "window start");
    expectation.to = Number(*array->get(1), "window end");
    if (expectation.to < expectation.from) Fail(window, "a time window must not end before it starts");
}

Expectation ReadExpectation(const toml::table& table, int index) {
    RejectUnknownKeys(table,
                      {"name", "at", "within", "during", "player_vehicle", "player_seat", "player_dead", "text",
                       "text_contains", "text_absent", "no_text", "vehicle_count", "train", "speed_min", "speed_max", "derailed",
                       "explosions_min", "explosions_max", "camera_shake", "bar_at", "bar_colour", "bar_fill_min",
                       "bar_fill_max", "no_bar_at", "cruise_min", "cruise_max", "player_distance_min",
                       "player_distance_max", "full_beam", "car", "door", "door_min", "door_max", "horn"},
                      "an expectation");
    Expectation expectation;
    expectation.name = OptionalText(table, "name").value_or("expectation " + std::to_string(index));
    ReadWhen(table, expectation);
    expectation.playerVehicle = OptionalText(table, "player_vehicle");
    if (const auto seat = OptionalNumber(table, "player_seat")) expectation.playerSeat = static_cast<int>(*seat);
    expectation.playerDead = OptionalFlag(table, "player_dead");
    expectation.text = OptionalText(table, "text");
    expectation.textContains = OptionalText(table, "text_contains");
    expectation.noText = OptionalFlag(table, "no_text");
    expectation.textAbsent = OptionalText(table, "text_absent");
    if (const auto count = OptionalNumber(table, "vehicle_count")) expectation.vehicleCount = static_cast<int>(*count);
    expectation.train = OptionalText(table, "train");
    expectation.speedMin = OptionalNumber(table, "speed_min");
    expectation.speedMax = OptionalNumber(table, "speed_max");
    if ((expectation.speedMin || expectation.speedMax) && !expectation.train) {
        Fail(table, "speed_min and speed_max need the train they are about");
    }
    expectation.derailed = OptionalFlag(table, "derailed");
    if (const auto count = OptionalNumber(table, "explosions_min")) expectation.explosionsMin = static_cast<int>(*count);
    if (const auto count = OptionalNumber(table, "explosions_max")) expectation.explosionsMax = static_cast<int>(*count);
    expectation.cameraShake = OptionalFlag(table, "camera_shake");
    if (const auto y = OptionalNumber(table, "bar_at")) expectation.barAt = static_cast<float>(*y);
    expectation.barColour = OptionalText(table, "bar_colour");
    if (expectation.barColour && *expectation.barColour != "red" && *expectation.barColour != "white") {
        Fail(table, "bar_colour is \"red\" or \"white\"");
    }
    expectation.barFillMin = OptionalNumber(table, "bar_fill_min");
    expectation.barFillMax = OptionalNumber(table, "bar_fill_max");
    if ((expectation.barColour || expectation.barFillMin || expectation.barFillMax) && !expectation.barAt) {
        Fail(table, "bar_colour, bar_fill_min and bar_fill_max need the bar's line, bar_at");
    }
    if (const auto y = OptionalNumber(table, "no_bar_at")) expectation.noBarAt = static_cast<float>(*y);
    expectation.cruiseMin = OptionalNumber(table, "cruise_min");
    expectation.cruiseMax = OptionalNumber(table, "cruise_max");
    expectation.playerDistanceMin = OptionalNumber(table, "player_distance_min");
    expectation.playerDistanceMax = OptionalNumber(table, "player_distance_max");
    expectation.fullBeam = OptionalFlag(table, "full_beam");
    expectation.car = static_cast<int>(NumberOr(table, "car", 0));
    expectation.door = static_cast<int>(NumberOr(table, "door", 0));
    expectation.doorMin = OptionalNumber(table, "door_min");
    expectation.doorMax = OptionalNumber(table, "door_max");
    const bool aboutATrain = expectation.cruiseMin || expectation.cruiseMax || expectation.playerDistanceMin ||
                             expectation.playerDistanceMax || expectation.fullBeam || expectation.doorMin ||
                             expectation.doorMax;
    if (aboutATrain && !expectation.train) {
        Fail(table, "cruise, player distance, full beam and door conditions need the train they are about");
    }
    expectation.horn = OptionalFlag(table, "horn");
    return expectation;
}

EventSpec ReadEvent(const toml::table& table) {
    RejectUnknownKeys(table, {"at", "action", "train", "car", "door", "limit", "position", "speed", "heading"},
                      "an event");
    EventSpec event;
    const toml::node* at = table.get("at");
    if (at == nullptr) Fail(table, "an event needs its time, at");
    event.at = Number(*at, "at");
    const toml::node* actionNode = table.get("action");
    if (actionNode == nullptr) Fail(table, "an event needs an action");
    const std::string action = Text(*actionNode, "action");
    event.train = OptionalText(table, "train").value_or("");
    event.car = static_cast<int>(NumberOr(table, "car", 0));
    event.door = static_cast<int>(NumberOr(table, "door", 0));
    event.limit = static_cast<float>(NumberOr(table, "limit", 0.0));
    event.speed = NumberOr(table, "speed", 1.4);
    event.heading = NumberOr(table, "heading", 0.0);
    if (const toml::node* position = table.get("position")) event.position = Point(*position, "position", 1.0);

    if (action == "train_vanishes") {
        event.kind = EventSpec::Kind::TrainVanishes;
    } else if (action == "player_dies") {
        event.kind = EventSpec::Kind::PlayerDies;
    } else if (action == "engineer_dies") {
        event.kind = EventSpec::Kind::EngineerDies;
    } else if (action == "player_walks_to") {
        event.kind = EventSpec::Kind::PlayerWalksTo;
    } else if (action == "player_teleports") {
        event.kind = EventSpec::Kind::PlayerTeleports;
    } else if (action == "block_door") {
        event.kind = EventSpec::Kind::BlockDoor;
    } else {
        Fail(*actionNode, "unknown action '" + action +
                              "' (known: train_vanishes, player_dies, engineer_dies, player_walks_to, "
                              "player_teleports, block_door)");
    }
    const bool needsTrain = event.kind == EventSpec::Kind::TrainVanishes ||
                            event.kind == EventSpec::Kind::EngineerDies || event.kind == EventSpec::Kind::BlockDoor;
    if (needsTrain && event.train.empty()) Fail(table, "action '" + action + "' needs the train it is about");
    const bool needsPosition =
        event.kind == EventSpec::Kind::PlayerWalksTo || event.kind == EventSpec::Kind::PlayerTeleports;
    if (needsPosition && table.get("position") == nullptr) Fail(table, "action '" + action + "' needs a position");
    return event;
}

}  // namespace

std::optional<int> ControlByName(const std::string& name) {
    const auto found = ControlNames().find(name);
    if (found == ControlNames().end()) return std::nullopt;
    return found->second;
}

const char* ControlName(int control) {
    for (const auto& [name, number] : ControlNames()) {
        if (number == control) return name.c_str();
    }
    return "control";
}

Scenario ParseScenario(const std::string& text, const std::string& origin) {
    toml::table root;
    try {
        root = toml::parse(text, origin);
    } catch (const toml::parse_error& error) {
        std::ostringstream message;
        message << "line " << error.source().begin.line << ": " << error.description();
        throw std::runtime_error(message.str());
    }
    RejectUnknownKeys(root,
                      {"name", "description", "duration", "frame_time", "frame_time_overrides", "ground_height",
                       "tracks", "trains", "player", "walls", "ini", "input", "events", "expect"},
                      "the scenario");

    Scenario scenario;
    scenario.name = OptionalText(root, "name").value_or(origin);
    scenario.description = OptionalText(root, "description").value_or("");
    scenario.duration = NumberOr(root, "duration", scenario.duration);
    if (!(scenario.duration > 0.0 && scenario.duration <= 86400.0)) Fail("duration must be above 0 and at most a day");
    scenario.frameTime = static_cast<float>(NumberOr(root, "frame_time", scenario.frameTime));
    scenario.groundHeight = NumberOr(root, "ground_height", 0.0);

    ForEachTable(root, "frame_time_overrides", [&](const toml::table& table) {
        RejectUnknownKeys(table, {"frame", "frames", "value"}, "a frame time override");
        FrameTimeOverride change;
        change.firstFrame = static_cast<std::uint64_t>(NumberOr(table, "frame", 0));
        change.frames = static_cast<std::uint64_t>(NumberOr(table, "frames", 1));
        change.frameTime = static_cast<float>(NumberOr(table, "value", 0.0));
        scenario.frameTimeOverrides.push_back(change);
    });

    ForEachTable(root, "tracks", [&](const toml::table& table) {
        RejectUnknownKeys(table, {"name", "points", "loop"}, "a track");
        TrackSpec track;
        track.name = OptionalText(table, "name").value_or("track " + std::to_string(scenario.tracks.size()));
        track.loop = OptionalFlag(table, "loop").value_or(false);
        const toml::node* points = table.get("points");
        if (points == nullptr || points->as_array() == nullptr) Fail(table, "a track needs its points");
        for (const toml::node& point : *points->as_array()) track.points.push_back(Point(point, "a track point"));
        scenario.tracks.push_back(std::move(track));
    });

    ForEachTable(root, "trains", [&](const toml::table& table) {
        RejectUnknownKeys(table,
                          {"name", "track", "position", "against_track", "cars", "speed", "cruise_speed", "engineer",
                           "passenger"},
                          "a train");
        ScenarioTrain train;
        train.train.name = OptionalText(table, "name").value_or("train " + std::to_string(scenario.trains.size()));
        train.trackName = OptionalText(table, "track").value_or(scenario.tracks.empty() ? "" : scenario.tracks[0].name);
        train.train.distance = NumberOr(table, "position", 0.0);
        train.train.againstTrack = OptionalFlag(table, "against_track").value_or(false);
        train.train.speed = NumberOr(table, "speed", 0.0);
        train.train.cruiseSpeed = NumberOr(table, "cruise_speed", train.train.speed);
        train.train.engineer = OptionalFlag(table, "engineer").value_or(true);
        train.train.passenger = OptionalFlag(table, "passenger").value_or(false);
        const toml::node* cars = table.get("cars");
        if (cars == nullptr || cars->as_array() == nullptr || cars->as_array()->empty()) {
            Fail(table, "a train needs its cars, the lead first");
        }
        for (const toml::node& car : *cars->as_array()) train.train.cars.push_back(Car(car));
        scenario.trains.push_back(std::move(train));
    });

    if (const toml::node* player = root.get("player")) {
        const toml::table& table = Table(*player, "player");
        RejectUnknownKeys(table, {"position", "heading"}, "the player");
        if (const toml::node* position = table.get("position")) scenario.playerPosition = Point(*position, "position", 1.0);
        scenario.playerHeading = NumberOr(table, "heading", 0.0);
    }

    ForEachTable(root, "walls", [&](const toml::table& table) {
        RejectUnknownKeys(table, {"from", "to"}, "a wall");
        const toml::node* from = table.get("from");
        const toml::node* to = table.get("to");
        if (from == nullptr || to == nullptr) Fail(table, "a wall runs from [x, y] to [x, y]");
        scenario.walls.push_back({Point(*from, "from"), Point(*to, "to")});
    });

    if (const toml::node* ini = root.get("ini")) scenario.ini = Text(*ini, "ini");

    ForEachTable(root, "input", [&](const toml::table& table) {
        RejectUnknownKeys(table, {"control", "at", "hold"}, "an input");
        const toml::node* control = table.get("control");
        const toml::node* at = table.get("at");
        if (control == nullptr || at == nullptr) Fail(table, "an input needs a control and its time, at");
        scenario.inputs.push_back({Control(*control), Number(*at, "at"), NumberOr(table, "hold", 0.0)});
    });

    ForEachTable(root, "events", [&](const toml::table& table) { scenario.events.push_back(ReadEvent(table)); });

    int index = 1;
    ForEachTable(root, "expect", [&](const toml::table& table) {
        scenario.expectations.push_back(ReadExpectation(table, index++));
    });
    return scenario;
}

Scenario LoadScenarioFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot read scenario file " + path);
    std::ostringstream text;
    text << file.rdbuf();
    try {
        return ParseScenario(text.str(), path);
    } catch (const std::runtime_error& error) {
        throw std::runtime_error(path + ": " + error.what());
    }
}

}  // namespace sim
