#include "progress.h"

#include <algorithm>
#include <cmath>

#ifdef _WIN32
#include <io.h>
#define KSIM_ISATTY _isatty
#define KSIM_FILENO _fileno
#else
#include <unistd.h>
#define KSIM_ISATTY isatty
#define KSIM_FILENO fileno
#endif

namespace kelvane_sim {

namespace {

constexpr int BarWidth = 40;
constexpr auto BarRedrawInterval = std::chrono::milliseconds(50);

double Fraction(double done, double total) {
    if (!(total > 0.0) || !std::isfinite(done)) return 1.0;
    return std::clamp(done / total, 0.0, 1.0);
}

}  // namespace

ProgressStyle ResolveProgressStyle(ProgressStyle asked, bool errorIsTerminal, bool traceOnStandardOutput) {
    if (asked != ProgressStyle::Automatic) return asked;
    if (errorIsTerminal) return ProgressStyle::Bar;
    return traceOnStandardOutput ? ProgressStyle::None : ProgressStyle::Lines;
}

bool StandardErrorIsTerminal() { return KSIM_ISATTY(KSIM_FILENO(stderr)) != 0; }
bool StandardOutputIsTerminal() { return KSIM_ISATTY(KSIM_FILENO(stdout)) != 0; }

Progress::Progress(std::FILE* out, ProgressStyle style, std::string what, ProgressUnit unit)
    : out_(out), style_(style), what_(std::move(what)), unit_(unit) {}

Progress::~Progress() { Finish(); }

void Progress::Update(double done, double total) {
    const double fraction = Fraction(done, total);
    if (style_ == ProgressStyle::Lines) {
        const int step = static_cast<int>(std::floor(fraction * 10.0));
        if (step <= shownStep_ || step == 0) return;
        shownStep_ = step;
        if (unit_ == ProgressUnit::Frames) {
            std::fprintf(out_, "kelvane-sim: %s: %d %% (%.0f of %.0f frames)\n", what_.c_str(), step * 10,
                         std::floor(fraction * total), total);
        } else {
            std::fprintf(out_, "kelvane-sim: %s: %d %% (%.1f of %.1f s of game time)\n", what_.c_str(), step * 10,
                         fraction * total, total);
        }
        std::fflush(out_);
    } else if (style_ == ProgressStyle::Bar) {
        const int step = static_cast<int>(std::floor(fraction * 1000.0));
        if (step == shownStep_ && barShown_) return;
        const auto now = std::chrono::steady_clock::now();
        if (barShown_ && now - lastDrawn_ < BarRedrawInterval && step < 1000) return;
        shownStep_ = step;
        lastDrawn_ = now;
        DrawBar(fraction * total, total);
    }
}

void Progress::DrawBar(double done, double total) {
    const double fraction = Fraction(done, total);
    const int filled = static_cast<int>(std::lround(fraction * BarWidth));
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.resize(BarWidth, '.');
    if (unit_ == ProgressUnit::Frames) {
        std::fprintf(out_, "\r\033[K%s [%s] %3.0f %%  %.0f of %.0f frames", what_.c_str(), bar.c_str(),
                     fraction * 100.0, std::floor(done), total);
    } else {
        std::fprintf(out_, "\r\033[K%s [%s] %3.0f %%  %.1f of %.1f s", what_.c_str(), bar.c_str(), fraction * 100.0,
                     done, total);
    }
    std::fflush(out_);
    barShown_ = true;
}

void Progress::Clear() {
    if (!barShown_) return;
    std::fputs("\r\033[K", out_);
    std::fflush(out_);
    barShown_ = false;
}

void Progress::Finish() {
    Clear();
    style_ = ProgressStyle::None;
}

}  // namespace kelvane_sim
