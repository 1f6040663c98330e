#pragma once
// The acceleration and braking curves as speed steps over a given frame time. The
// plug-in's AccelerationStep and BrakingStep (formulas.h) are these with the game's frame
// time; kelvane-sim's curves drive them at a frame rate of its own.

namespace kelvane {

// Speed gained under power over frameTime; see AccelerationStep.
float AccelerationGain(float speed, float maxSpeed, float acceleration, float frameTime);

// Speed lost under braking over frameTime; see BrakingStep.
float BrakingLoss(float speed, float maxSpeed, float braking, float frameTime);

}  // namespace kelvane
