#pragma once
// The least world that lets the plug-in's frame update run: every native it calls is
// answered at once with a fixed value, so that a benchmark measures the plug-in and not
// a simulation. The player stands 100 m ahead of a freight locomotive on the y axis,
// and nothing changes from one frame to the next but the controls held.

#include <set>


namespace kelvane_sim {

inline constexpr int BenchPlayer = 1;
inline constexpr int BenchEngineer = 2;
inline constexpr int BenchTrain = 7;
inline constexpr int BenchCarriage = 8;
inline constexpr int BenchFirstWreck = 100;  // wrecks stand 10 m apart from here on

struct BenchPoint {
    float x, y, z;
};
// Where the world has the wreck of the given handle stand.
BenchPoint BenchWreckPosition(int wreck);

// Registers its answers with the stand-in hook, replacing any there were.
void RegisterMinimalWorld();
// The controls held from now on; none at first.
void HoldControls(const std::set<int>& controls);

}  // namespace kelvane_sim
