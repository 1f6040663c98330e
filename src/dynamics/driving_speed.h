#pragma once
// One frame of the driving controls over the commanded speed, apart from the game. The
// plug-in's driving step runs it with the game's controls and frame time; kelvane-sim's
// curves run it with controls and a frame rate of their own.

#include "config/settings.h"

namespace kelvane {

inline constexpr int ThrottleControl = 71;
inline constexpr int BrakeControl = 72;
inline constexpr int HandbrakeControl = 76;

// Where one frame gets its answers: whether a control is held, and the frame time. They
// are asked in the order the frame needs them, as the game would be asked.
struct DrivingInputs {
    bool (*held)(int control);
    float (*frameTime)();
};

struct DrivenSpeed {
    float speed;    // the commanded speed after this frame
    int direction;  // the sign of the speed at the start of the frame
};

// The speed after one frame from speed, under the settings of the train type.
DrivenSpeed DriveOneFrame(float speed, TrainType type, DrivingInputs inputs);

}  // namespace kelvane
