#pragma once
// The readable account of a run, as a story: a line for each notable event (inputs, seats,
// shakes, derailments, wrecks, explosions) and for what the player sees when it changes
// (texts as shown, gauges by quarters of their fill), with a short status every five
// seconds of game time.

#include <map>
#include <ostream>
#include <set>
#include <string>
#include <utility>

#include "world/world.h"

namespace sim {

class Timeline {
public:
    explicit Timeline(std::ostream& out) : out_(out) {}
    // After each frame, with the game time at which that frame started.
    void Frame(double frameStart, const World& world);

private:
    void Line(double time, const std::string& text);
    void StatusLine(double time, const World& world);
    void ScreenLines(double time, const World& world);
    void WorldLines(double time, const World& world);

    std::ostream& out_;
    double nextStatusTime_ = 0.0;
    std::set<int> held_;
    std::string playerPlace_ = "on foot";
    bool playerDead_ = false;
    struct ShownText {
        std::string text;       // as on screen now
        std::string reported;   // as last told
        double reportedAt = 0.0;
    };
    std::map<std::pair<float, float>, ShownText> texts_;  // by screen position
    std::map<std::string, int> barQuarters_;              // by gauge, its fill in quarters
    std::size_t freeVehicles_ = 0;
    std::map<std::pair<Handle, int>, int> doorStates_;  // by car and door: -1 shut, 0 between, 1 open
    bool shaking_ = false;
    int derailments_ = 0;
    std::set<std::string> trains_;
};

}  // namespace sim
