#pragma once
// When a soak dies of a crash or a sanitizer report, its last words name the frame and
// the command that replays the run up to that frame.

#include <cstdint>
#include <string>

namespace kelvane_sim {

// replayPrefix is the replay command up to the frame count, e.g.
// "kelvane-sim soak --seed 7 --frames ".
void ReportCrashesOf(const std::string& replayPrefix);
void SetCrashFrame(std::uint64_t frame);

}  // namespace kelvane_sim
