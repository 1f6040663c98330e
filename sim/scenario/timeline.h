#pragma once
// The readable account of a run: a status line per second of game time and a line for
// each notable event (inputs, seats, texts appearing, shakes, derailments, explosions).

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

    std::ostream& out_;
    long nextStatusSecond_ = 0;
    std::set<int> held_;
    std::string playerPlace_ = "on foot";
    bool playerDead_ = false;
    std::map<std::pair<float, float>, std::string> texts_;  // by screen position
    bool shaking_ = false;
    int derailments_ = 0;
    std::size_t vehicles_ = 0;
    std::set<std::string> trains_;
};

}  // namespace sim
