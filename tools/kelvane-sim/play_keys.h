#pragma once
// The keys a play page holds, as it reports them, and what they do in the world: the
// game's controls that each key is bound to by default, and walking on foot.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane_sim {

// What the world is given while a set of keys is held.
struct HeldInput {
    std::vector<int> controls;  // of input group 2, ascending, each once
    int walkX = 0;              // -1 west, 0, 1 east
    int walkY = 0;              // -1 south, 0, 1 north
    bool running = false;
    bool operator==(const HeldInput&) const = default;
};

// A page's report of every key it holds: {"seq": N, "held": ["w", "shift"]}. The number
// (optional, a whole number from 0) comes back with the frames that see the keys.
struct KeyMessage {
    std::uint64_t sequence = 0;
    HeldInput input;
};

// The message, or nothing with the reason in error: not JSON, not an object, a field
// other than seq and held, held missing or not a list of key names, an unknown key.
std::optional<KeyMessage> ParseKeyMessage(std::string_view body, std::string& error);

// The names a page may hold, comma-separated, for messages.
std::string KnownKeyNames();

}  // namespace kelvane_sim
