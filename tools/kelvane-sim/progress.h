#pragma once
// How far a long run has come, on standard error: a bar redrawn in place on a terminal,
// a plain line every 10 % elsewhere, or nothing. Standard output keeps only what the
// command prints (the timeline, a trace), so a pipe that reads it never sees progress.

#include <chrono>
#include <cstdio>
#include <string>

namespace kelvane_sim {

enum class ProgressStyle { Automatic, Bar, Lines, None };

// Automatic: a bar when standard error is a terminal; plain lines when it is not,
// unless the trace goes to standard output, which may share the pipe.
ProgressStyle ResolveProgressStyle(ProgressStyle asked, bool errorIsTerminal, bool traceOnStandardOutput);

bool StandardErrorIsTerminal();
bool StandardOutputIsTerminal();

// What a run counts its progress in.
enum class ProgressUnit { GameSeconds, Frames };

class Progress {
public:
    // what: the run, as the lines name it ("the default ride"). The style must be resolved.
    Progress(std::FILE* out, ProgressStyle style, std::string what, ProgressUnit unit = ProgressUnit::GameSeconds);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // done of total, in the run's unit. Cheap when nothing visible changes.
    void Update(double done, double total);
    // Before a line of other output on the same terminal: takes the bar away, which
    // the next Update draws again.
    void Clear();
    // Takes the bar away for good.
    void Finish();

private:
    void DrawBar(double done, double total);

    std::FILE* out_;
    ProgressStyle style_;
    std::string what_;
    ProgressUnit unit_;
    int shownStep_ = -1;  // per mille for the bar, tens of per cent for the lines
    bool barShown_ = false;
    std::chrono::steady_clock::time_point lastDrawn_{};
};

}  // namespace kelvane_sim
