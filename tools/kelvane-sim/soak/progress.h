#pragma once
// Progress of a long run: a bar on a terminal, a plain line every tenth otherwise, and
// nothing when standard output carries the trace.

#include <chrono>
#include <cstdint>
#include <ostream>

namespace kelvane_sim {

class Progress {
public:
    enum class Style { Bar, Lines, Silent };
    // Bar when standard output is a terminal, Lines when not, Silent when it is the trace.
    static Style StyleFor(bool traceOnStdout);

    Progress(Style style, std::uint64_t total, std::ostream& out);
    // After each frame; cheap unless there is something to show.
    void Done(std::uint64_t frames) {
        if (frames >= next_) Show(frames);
    }
    // After the last frame played.
    void Finish(std::uint64_t frames);

private:
    void Show(std::uint64_t frames);

    Style style_;
    std::uint64_t total_;
    std::ostream& out_;
    std::uint64_t step_;
    std::uint64_t next_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace kelvane_sim
