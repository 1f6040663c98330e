#pragma once
// A scenario: the world to build, the frame times, the player's inputs over time, world
// events, and what must hold when the plug-in has played it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "world/geometry.h"
#include "world/world.h"

namespace sim {

struct TrackSpec {
    std::string name;
    std::vector<Vec3> points;
    bool loop = false;
};

struct ScenarioTrain {
    TrainSpec train;
    std::string trackName;
};

struct WallSpec {
    Vec3 from, to;
};

// Frames [firstFrame, firstFrame + frames) take this frame time instead of the usual one.
struct FrameTimeOverride {
    std::uint64_t firstFrame = 0;
    std::uint64_t frames = 1;
    float frameTime = 0.0f;
};

// A control of input group 2 held from `at` for `hold` seconds; always for at least the
// first frame that starts at or after `at`.
struct InputSpec {
    int control = 0;
    double at = 0.0;
    double hold = 0.0;
};

struct EventSpec {
    enum class Kind { TrainVanishes, PlayerDies, EngineerDies, PlayerWalksTo, PlayerTeleports, BlockDoor };
    Kind kind = Kind::PlayerDies;
    double at = 0.0;
    std::string train;  // TrainVanishes, EngineerDies, BlockDoor
    int car = 0;        // BlockDoor
    int door = 0;       // BlockDoor
    float limit = 0.0f; // BlockDoor: the door opens no further than this ratio
    Vec3 position;      // PlayerWalksTo, PlayerTeleports
    double speed = 1.4; // PlayerWalksTo, m/s
    double heading = 0.0;
};

struct Expectation {
    enum class When { At, Within, During };
    std::string name;  // as the scenario file calls it, for the report
    When when = When::At;
    double from = 0.0;
    double to = 0.0;
    // Conditions; all that are given must hold in the same frame.
    std::optional<std::string> playerVehicle;  // "none", "any", "free", a train name, or "train:car"
    std::optional<int> playerSeat;
    std::optional<bool> playerDead;
    std::optional<std::string> text;          // drawn this frame, exactly
    std::optional<std::string> textContains;  // drawn this frame, as part of a text
    std::optional<bool> noText;               // nothing drawn this frame
    std::optional<std::string> textAbsent;    // no text drawn this frame contains this
    std::optional<int> vehicleCount;
    std::optional<std::string> train;  // with speedMin / speedMax: that train's speed
    std::optional<double> speedMin;
    std::optional<double> speedMax;
    std::optional<bool> derailed;     // a derailment has happened by then
    std::optional<int> explosionsMin; // at least so many explosions by then
    std::optional<int> explosionsMax;
    std::optional<bool> cameraShake;
    // A gauge on the screen line bar_at (optionally of one colour, "red" or "white") with its
    // fill between the bounds; or no gauge on the line no_bar_at.
    std::optional<float> barAt;
    std::optional<std::string> barColour;
    std::optional<double> barFillMin;
    std::optional<double> barFillMax;
    std::optional<float> noBarAt;
    // With train: its cruise speed, the player's horizontal distance to its lead car, the
    // full beam of its lead car, and a door's opening ratio of one of its cars.
    std::optional<double> cruiseMin;
    std::optional<double> cruiseMax;
    std::optional<double> playerDistanceMin;
    std::optional<double> playerDistanceMax;
    std::optional<bool> fullBeam;
    int car = 0;
    int door = 0;
    std::optional<double> doorMin;
    std::optional<double> doorMax;
    std::optional<bool> horn;  // a horn sounded this frame
};

struct Scenario {
    std::string name;
    std::string description;
    double duration = 10.0;  // s of game time to play
    float frameTime = 1.0f / 60.0f;
    std::vector<FrameTimeOverride> frameTimeOverrides;
    double groundHeight = 0.0;
    std::vector<TrackSpec> tracks;
    std::vector<ScenarioTrain> trains;
    Vec3 playerPosition{0.0, 0.0, 1.0};
    double playerHeading = 0.0;
    std::vector<WallSpec> walls;
    std::optional<std::string> ini;  // Kelvane.ini written into the game folder before the start
    std::vector<InputSpec> inputs;
    std::vector<EventSpec> events;
    std::vector<Expectation> expectations;
};

// Reads a scenario from TOML text; `origin` names it in error messages. Throws
// std::runtime_error with the line of the fault.
Scenario ParseScenario(const std::string& text, const std::string& origin);
Scenario LoadScenarioFile(const std::string& path);

// Builds the scenario's world into a fresh world.
void BuildWorld(const Scenario& scenario, World& world);

// A scenario's train as the world adds it: on the index of the track it names. Throws
// std::runtime_error when no track has that name.
TrainSpec PlacedTrain(const Scenario& scenario, const ScenarioTrain& train);

// The control number of a name ("enter", "throttle", ...) or of a number's text.
std::optional<int> ControlByName(const std::string& name);
const char* ControlName(int control);

}  // namespace sim
