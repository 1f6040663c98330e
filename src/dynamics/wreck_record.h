#pragma once

#include "config/settings.h"
#include "host/native_types.h"

namespace kelvane {

// A derailed vehicle that is still watched for violent speed changes.
struct WreckRecord {
    Vehicle vehicle = 0;
    TrainType trainType = Freight;  // selects the explosion sensitivity
    Vector3 lastPosition;           // at the previous sampling pass
    float lastSpeed = 0.0f;         // estimate at the previous sampling pass, m/s
    int samples = 0;                // passes since creation or the last explosion
    int explosions = 0;
};

}  // namespace kelvane
