#pragma once
// Everything the plug-in carries from one frame to the next.

#include <vector>

#include "config/settings.h"
#include "dynamics/wreck_record.h"
#include "host/native_types.h"

namespace kelvane {

enum class CabPhase : int {
    OnFoot = 0,    // not in a cab of this plug-in
    Boarding = 1,  // the enter key is held near a train
    InCab = 2,     // riding in the cab and driving
};

enum class EngineerMode : int { KeepSpeed = 0, StopTrain = 1, FollowPlayer = 2 };

enum class AutopilotPhase : int { Undecided = 0, DriveForward = 1, DriveBackward = 2, BrakeToStop = 3 };

struct CabState {
    CabPhase phase = CabPhase::OnFoot;
    Vehicle train = 0;      // found by the boarding scan; after a derailment its replacement
    Hash scannedModel = 0;  // model of the vehicle the boarding scan looked at last
    TrainType trainType = Freight;
    float enterHoldTime = 0.0f;  // s the enter key has been held

    float speed = 0.0f;  // commanded speed, m/s, positive along the lead vehicle's heading
    int direction = 0;   // sign of speed at the start of this frame's driving step

    float prevForwardX = 0.0f;  // heading of train in the previous frame
    float prevForwardY = 0.0f;
    float derailRisk = 0.0f;      // 1.0 is the derailment threshold
    float derailOverTime = 0.0f;  // s spent with the risk above 1.0
    bool cameraShaking = false;
    bool derailed = false;

    float shownSpeed = 0.0f;  // speed the display shows, m/s

    float seatChangeCooldown = 0.0f;
    bool fullBeam = false;
    float hornKeyTimer = 0.0f;
    EngineerMode engineerMode = EngineerMode::FollowPlayer;
    float engineerMessageTime = 0.0f;  // s the engineer message still shows

    float doorRatio = 0.0f;  // last read or commanded door opening
    int doorMotion = 0;      // +1 opening, -1 closing, 0 still

    Vehicle autopilotTrain = 0;  // the train the engineer drives; 0 for none
    AutopilotPhase autopilotPhase = AutopilotPhase::Undecided;
    float autopilotSpeed = 0.0f;
    int autopilotFrameCount = 0;

    std::vector<WreckRecord> wrecks;
    int wreckCount = 0;
    int wreckFrameCount = 0;
    float wreckCheckTime = 0.0f;
};

}  // namespace kelvane
