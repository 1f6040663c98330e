#pragma once
// The game's controls of input group 2, as the scenario's timeline presses and holds them.

#include <set>

namespace sim {

class Controls {
public:
    // The controls held during the coming frame; the previous frame's become the
    // reference for "just pressed" and "just released".
    void NextFrame(std::set<int> held);

    bool Pressed(int control) const { return held_.count(control) != 0; }
    bool Released(int control) const { return !Pressed(control); }
    bool JustPressed(int control) const { return Pressed(control) && previous_.count(control) == 0; }
    bool JustReleased(int control) const { return !Pressed(control) && previous_.count(control) != 0; }

    const std::set<int>& Held() const { return held_; }

private:
    std::set<int> held_;
    std::set<int> previous_;
};

}  // namespace sim
