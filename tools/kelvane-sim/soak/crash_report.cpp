#include "soak/crash_report.h"

#include <signal.h>
#include <unistd.h>

#include <array>
#include <cstring>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KELVANE_SIM_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define KELVANE_SIM_SANITIZED 1
#endif

#ifdef KELVANE_SIM_SANITIZED
#include <sanitizer/common_interface_defs.h>
#endif

namespace kelvane_sim {

namespace {

std::array<char, 1024> replay{};
volatile std::uint64_t crashFrame = 0;

void Write(const char* text) {
    const ssize_t ignored = write(STDERR_FILENO, text, std::strlen(text));
    (void)ignored;
}

// Decimal digits into the end of buffer; returns where they start.
const char* Digits(std::uint64_t value, std::array<char, 24>& buffer) {
    char* at = buffer.data() + buffer.size() - 1;
    *at = '\0';
    do {
        *--at = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    return at;
}

// Only what a signal handler may do: no allocation, no stdio.
void ReportCrash() {
    std::array<char, 24> frame;
    std::array<char, 24> frames;
    Write("kelvane-sim soak: FAILED: died in frame ");
    Write(Digits(crashFrame, frame));
    Write("; replay: ");
    Write(replay.data());
    Write(Digits(crashFrame + 1, frames));
    Write("\n");
}

#ifndef KELVANE_SIM_SANITIZED
std::array<char, 64 * 1024> signalStack;

void OnFatalSignal(int signal) {
    ReportCrash();
    // The handler was reset on entry: the signal now ends the process as it would have.
    raise(signal);
}
#endif

}  // namespace

void ReportCrashesOf(const std::string& replayPrefix) {
    std::strncpy(replay.data(), replayPrefix.c_str(), replay.size() - 1);
#ifdef KELVANE_SIM_SANITIZED
    // The sanitizers report first and then call this on their way out.
    __sanitizer_set_death_callback(ReportCrash);
#else
    // Its own stack: a crash may be a stack overflow on the script's stack.
    stack_t alternate{};
    alternate.ss_sp = signalStack.data();
    alternate.ss_size = signalStack.size();
    sigaltstack(&alternate, nullptr);
    struct sigaction action {};
    action.sa_handler = OnFatalSignal;
    action.sa_flags = SA_ONSTACK | SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) sigaction(signal, &action, nullptr);
#endif
}

void SetCrashFrame(std::uint64_t frame) { crashFrame = frame; }

}  // namespace kelvane_sim
