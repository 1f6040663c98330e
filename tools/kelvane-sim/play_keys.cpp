#include "play_keys.h"

#include <algorithm>
#include <initializer_list>

#include <nlohmann/json.hpp>

namespace kelvane_sim {

namespace {

// The game's default bindings. A key drives every control the game binds it to, in the
// cab and on foot alike, and the plug-in reads only those of its own phase: W is both
// walking forward and the throttle, F both entering (23) and leaving (75).
struct KeyBinding {
    const char* name;
    std::initializer_list<int> controls;
    int walkX = 0;
    int walkY = 0;
    bool running = false;
};

const KeyBinding Bindings[] = {
    {"w", {71}, 0, 1},      // throttle
    {"s", {72}, 0, -1},     // brake
    {"a", {34}, -1, 0},     // seat change, left
    {"d", {35}, 1, 0},      // seat change, right
    {"up", {}, 0, 1},
    {"down", {}, 0, -1},
    {"left", {}, -1, 0},
    {"right", {}, 1, 0},
    {"shift", {}, 0, 0, true},
    {"f", {23, 75}},  // enter, leave
    {"space", {76}},  // handbrake
    {"x", {73}},      // derail
    {"h", {74}},      // full beam
    {"e", {86}},      // horn, engineer command
    {"g", {113}},     // doors
};

constexpr std::size_t MaxHeldEntries = 64;

const KeyBinding* FindBinding(const std::string& name) {
    for (const KeyBinding& binding : Bindings) {
        if (name == binding.name) return &binding;
    }
    return nullptr;
}

HeldInput InputOf(const std::vector<const KeyBinding*>& keys) {
    HeldInput input;
    for (const KeyBinding* key : keys) {
        input.controls.insert(input.controls.end(), key->controls.begin(), key->controls.end());
        input.walkX += key->walkX;
        input.walkY += key->walkY;
        input.running = input.running || key->running;
    }
    std::sort(input.controls.begin(), input.controls.end());
    input.controls.erase(std::unique(input.controls.begin(), input.controls.end()), input.controls.end());
    // W and the up arrow together walk no faster than either.
    input.walkX = std::clamp(input.walkX, -1, 1);
    input.walkY = std::clamp(input.walkY, -1, 1);
    return input;
}

}  // namespace

std::string KnownKeyNames() {
    std::string names;
    for (const KeyBinding& binding : Bindings) names += (names.empty() ? "" : ", ") + std::string(binding.name);
    return names;
}

std::optional<KeyMessage> ParseKeyMessage(std::string_view body, std::string& error) {
    const nlohmann::json message = nlohmann::json::parse(body, nullptr, false);
    if (message.is_discarded()) {
        error = "the key message is not JSON; send {\"seq\": 1, \"held\": [\"w\"]}";
        return std::nullopt;
    }
    if (!message.is_object()) {
        error = "the key message must be a JSON object with a list \"held\"";
        return std::nullopt;
    }
    for (const auto& [field, value] : message.items()) {
        if (field != "seq" && field != "held") {
            error = "unknown field \"" + field + "\" in the key message (known: seq, held)";
            return std::nullopt;
        }
    }
    KeyMessage result;
    if (message.contains("seq")) {
        const nlohmann::json& sequence = message["seq"];
        if (!sequence.is_number_unsigned()) {
            error = "\"seq\" must be a whole number from 0";
            return std::nullopt;
        }
        result.sequence = sequence.get<std::uint64_t>();
    }
    const auto held = message.find("held");
    if (held == message.end() || !held->is_array()) {
        error = "the key message needs \"held\", a list of the keys held (may be empty)";
        return std::nullopt;
    }
    if (held->size() > MaxHeldEntries) {
        error = "\"held\" lists more than " + std::to_string(MaxHeldEntries) + " keys";
        return std::nullopt;
    }
    std::vector<const KeyBinding*> keys;
    for (const nlohmann::json& name : *held) {
        const KeyBinding* binding = name.is_string() ? FindBinding(name.get<std::string>()) : nullptr;
        if (binding == nullptr) {
            error = "unknown key " + name.dump() + " in \"held\" (known: " + KnownKeyNames() + ")";
            return std::nullopt;
        }
        keys.push_back(binding);
    }
    result.input = InputOf(keys);
    return result;
}

}  // namespace kelvane_sim
