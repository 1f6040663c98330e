// kelvane-sim play: the plug-in and the world in real time, watched and driven from a
// browser page served on the loopback address.

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "commands.h"
#include "default_scenario.h"
#include "game_folder.h"
#include "host_api/kelvane_sim_host.h"
#include "play_page.h"
#include "play_server.h"
#include "plugin_module.h"

namespace kelvane_sim {

namespace {

using Clock = std::chrono::steady_clock;

constexpr double FramesPerSecond = 60.0;
constexpr float FrameTime = static_cast<float>(1.0 / FramesPerSecond);
constexpr auto FramePeriod = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / FramesPerSecond));
// Behind by more than this (a stopped process, a busy machine), the clock starts afresh
// instead of running frames back to back to catch up.
constexpr auto MaxLag = std::chrono::milliseconds(250);
constexpr double TrackSampleSpacing = 2.0;  // m

volatile std::sig_atomic_t stopRequested = 0;
extern "C" void RequestStop(int) { stopRequested = 1; }

// SIGINT and SIGTERM end the loop instead of the process, for as long as this lives.
class StopSignals {
public:
    StopSignals() {
        stopRequested = 0;
        struct sigaction action {};
        action.sa_handler = RequestStop;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &previousInterrupt_);
        sigaction(SIGTERM, &action, &previousTerminate_);
        // A page that goes away mid-write is the server's business, not a reason to die.
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        sigaction(SIGPIPE, &ignore, &previousPipe_);
    }
    ~StopSignals() {
        sigaction(SIGINT, &previousInterrupt_, nullptr);
        sigaction(SIGTERM, &previousTerminate_, nullptr);
        sigaction(SIGPIPE, &previousPipe_, nullptr);
    }
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

private:
    struct sigaction previousInterrupt_ {};
    struct sigaction previousTerminate_ {};
    struct sigaction previousPipe_ {};
};

// The keys the pages hold, handed from the server's threads to the world's loop.
class HeldKeys {
public:
    struct Snapshot {
        KeyMessage message;
        Clock::time_point arrived;
    };
    void Set(const KeyMessage& message) {
        std::lock_guard<std::mutex> lock(mutex_);
        latest_ = {message, Clock::now()};
    }
    void ReleaseAll() {
        std::lock_guard<std::mutex> lock(mutex_);
        latest_.message.input = {};
    }
    Snapshot Latest() {
        std::lock_guard<std::mutex> lock(mutex_);
        return latest_;
    }

private:
    std::mutex mutex_;
    Snapshot latest_;
};

void ToString(void* context, const char* line) { *static_cast<std::string*>(context) = line; }
void ToStderr(void*, const char* line) { std::cerr << "kelvane-sim: " << line << '\n'; }

// Frames per second of wall time, over about the last second.
class FrameRate {
public:
    void Count(Clock::time_point now) {
        ++frames_;
        const double elapsed = std::chrono::duration<double>(now - since_).count();
        if (elapsed >= 1.0) {
            perSecond_ = frames_ / elapsed;
            frames_ = 0;
            since_ = now;
        }
    }
    double PerSecond() const { return perSecond_; }

private:
    Clock::time_point since_ = Clock::now();
    int frames_ = 0;
    double perSecond_ = 0.0;
};

std::string Envelope(double fps, std::uint64_t keySequence, double keyDelayMs, const std::string& world) {
    char head[160];
    std::snprintf(head, sizeof head, "{\"fps\":%.1f,\"keys\":{\"seq\":%llu,\"delay_ms\":%.2f},\"world\":", fps,
                  static_cast<unsigned long long>(keySequence), keyDelayMs);
    return head + world + "}";
}

// Plays frames in real time until a stop signal, publishing each to the pages.
void PlayInRealTime(PlayServer& server, HeldKeys& keys) {
    FrameRate rate;
    std::uint64_t appliedSequence = 0;
    double keyDelayMs = 0.0;
    std::string world;
    Clock::time_point next = Clock::now();
    while (stopRequested == 0) {
        const Clock::time_point start = Clock::now();
        const HeldKeys::Snapshot held = keys.Latest();
        if (held.message.sequence != appliedSequence) {
            appliedSequence = held.message.sequence;
            keyDelayMs = std::chrono::duration<double, std::milli>(start - held.arrived).count();
        }
        const HeldInput& input = held.message.input;
        KsimWalkPlayer(static_cast<float>(input.walkX), static_cast<float>(input.walkY), input.running ? 1 : 0);
        KsimPlayFrame(input.controls.data(), static_cast<int>(input.controls.size()), FrameTime);
        KsimDescribeFrame(ToString, &world);
        rate.Count(start);
        server.Publish(Envelope(rate.PerSecond(), appliedSequence, keyDelayMs, world));

        next += FramePeriod;
        const Clock::time_point now = Clock::now();
        if (now - next > MaxLag) next = now;
        std::this_thread::sleep_until(next);
    }
}

}  // namespace

int RunPlayCommand(const PlayOptions& options) {
    // From the start, so that a stop while starting up still cleans up.
    StopSignals signals;
    std::optional<std::string> scenarioPath;
    if (options.scenario) scenarioPath = std::filesystem::absolute(*options.scenario).string();
    GameFolder folder(options.gameDir);
    const int loaded = scenarioPath ? KsimLoadScenarioFile(scenarioPath->c_str(), ToStderr, nullptr)
                                    : KsimLoadScenarioText(DefaultScenarioText, "the default ride", ToStderr, nullptr);
    if (loaded != 0) return 2;

    std::string scene;
    KsimDescribeScene(TrackSampleSpacing, ToString, &scene);
    HeldKeys keys;
    PlayServer server(
        PlayPageHtml, scene, [&keys](const KeyMessage& message) { keys.Set(message); },
        [&keys] { keys.ReleaseAll(); });
    try {
        server.Start(options.port);
    } catch (const std::exception& error) {
        std::cerr << "kelvane-sim play: " << error.what() << '\n';
        return 2;
    }

    LoadPlugin();
    std::cout << "kelvane-sim play: open http://127.0.0.1:" << server.Port() << "/ in a browser\n"
              << "kelvane-sim play: game folder " << folder.Path().string()
              << (folder.Temporary() ? " (removed on stop)" : "") << '\n';
    if (isatty(STDOUT_FILENO)) std::cout << "Press Ctrl-C to stop.\n";
    std::cout.flush();

    PlayInRealTime(server, keys);

    server.Stop();
    UnloadPlugin();
    std::printf("kelvane-sim play: stopped after %llu frames, %.1f s of game time\n",
                static_cast<unsigned long long>(KsimFrameNumber()), KsimGameTimeSeconds());
    const int unknown = KsimUnknownNatives(nullptr, 0);
    if (unknown > 0) std::printf("kelvane-sim play: the plug-in called %d natives the world does not know\n", unknown);
    std::fflush(stdout);
    return 0;
}

}  // namespace kelvane_sim
