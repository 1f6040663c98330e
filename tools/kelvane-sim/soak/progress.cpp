#include "soak/progress.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <string>

namespace kelvane_sim {

Progress::Style Progress::StyleFor(bool traceOnStdout) {
    if (traceOnStdout) return Style::Silent;
    return isatty(STDOUT_FILENO) ? Style::Bar : Style::Lines;
}

Progress::Progress(Style style, std::uint64_t total, std::ostream& out)
    : style_(style),
      total_(total),
      out_(out),
      step_(std::max<std::uint64_t>(1, style == Style::Bar ? total / 200 : total / 10)),
      next_(style == Style::Silent ? std::numeric_limits<std::uint64_t>::max() : step_) {}

void Progress::Show(std::uint64_t frames) {
    next_ = frames + step_;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    const double rate = seconds > 0.0 ? static_cast<double>(frames) / seconds : 0.0;
    const double fraction = total_ > 0 ? static_cast<double>(frames) / static_cast<double>(total_) : 1.0;
    char text[160];
    if (style_ == Style::Bar) {
        constexpr int Width = 30;
        const int filled = std::clamp(static_cast<int>(fraction * Width), 0, Width);
        std::snprintf(text, sizeof text, "\rsoak [%s%s] %3.0f%%  %llu/%llu frames  %.0f frames/s",
                      std::string(static_cast<std::size_t>(filled), '#').c_str(),
                      std::string(static_cast<std::size_t>(Width - filled), '.').c_str(), fraction * 100.0,
                      static_cast<unsigned long long>(frames), static_cast<unsigned long long>(total_), rate);
        out_ << text << std::flush;
    } else {
        std::snprintf(text, sizeof text, "soak: %llu of %llu frames (%.0f%%), %.0f frames/s",
                      static_cast<unsigned long long>(frames), static_cast<unsigned long long>(total_),
                      fraction * 100.0, rate);
        out_ << text << '\n' << std::flush;
    }
}

void Progress::Finish(std::uint64_t frames) {
    if (style_ != Style::Bar) return;
    Show(frames);
    out_ << '\n';
}

}  // namespace kelvane_sim
