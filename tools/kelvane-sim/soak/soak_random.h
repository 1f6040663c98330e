#pragma once
// The one random source of a soak: every choice comes from the seed, so a run replays.

#include <cstdint>
#include <random>

namespace kelvane_sim {

class SoakRandom {
public:
    explicit SoakRandom(std::uint64_t seed) : engine_(seed) {}

    // 0 <= result < bound; bound > 0. Drawn with the engine's own bits only, so the
    // sequence does not depend on the standard library's distributions.
    std::uint64_t Below(std::uint64_t bound) { return engine_() % bound; }
    // first <= result <= last.
    std::int64_t Between(std::int64_t first, std::int64_t last) {
        return first + static_cast<std::int64_t>(Below(static_cast<std::uint64_t>(last - first) + 1));
    }
    // first <= result < last.
    double Within(double first, double last) { return first + (last - first) * Unit(); }
    bool OneIn(std::uint64_t n) { return Below(n) == 0; }
    // 0 <= result < 1.
    double Unit() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

private:
    std::mt19937_64 engine_;
};

}  // namespace kelvane_sim
