#include "dynamics/wrecks.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "config/settings.h"
#include "host/natives.h"

namespace kelvane {

namespace {

constexpr double SamplingInterval = 0.2;   // s between sampling passes, at least
constexpr int CleanUpFrames = 600;         // frames between clean-ups of far wrecks
constexpr float CleanUpDistance = 200.0f;  // m from the player
constexpr int QuietPasses = 3;             // passes after creation or an explosion that only record
constexpr int MaxExplosions = 6;           // per vehicle
constexpr float ExplosionThresholdScale = 150.0f;  // m/s² of speed change at sensitivity 0
constexpr int ExplosionType = 37;

float Distance3D(const Vector3& a, const Vector3& b) {
    const float dx = b.x - a.x, dy = b.y - a.y, dz = b.z - a.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

float DistanceFrom(const Vector3& from, Vehicle vehicle) { return Distance3D(from, GET_ENTITY_COORDS(vehicle, true)); }

Vector3 PlayerPosition() { return GET_ENTITY_COORDS(PLAYER_PED_ID(), true); }

void DropVanished(std::vector<WreckRecord>& wrecks) {
    for (std::size_t i = wrecks.size(); i-- > 0;) {
        if (!DOES_ENTITY_EXIST(wrecks[i].vehicle)) wrecks.erase(wrecks.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

void DeleteAt(std::vector<WreckRecord>& wrecks, std::size_t index) {
    DELETE_VEHICLE(&wrecks[index].vehicle);
    wrecks.erase(wrecks.begin() + static_cast<std::ptrdiff_t>(index));
}

// Keeps the wrecks nearest the player; among equally far ones the earliest goes first.
void TrimToNearest(std::vector<WreckRecord>& wrecks) {
    if (wrecks.size() <= static_cast<std::size_t>(MaxWrecks)) return;
    const Vector3 player = PlayerPosition();
    for (std::size_t excess = wrecks.size() - MaxWrecks; excess > 0; --excess) {
        std::size_t farthest = 0;
        float farthestDistance = 0.0f;
        for (std::size_t i = 0; i < wrecks.size(); ++i) {
            const float distance = DistanceFrom(player, wrecks[i].vehicle);
            if (distance > farthestDistance) {
                farthest = i;
                farthestDistance = distance;
            }
        }
        DeleteAt(wrecks, farthest);
    }
}

void DeleteFarFromPlayer(std::vector<WreckRecord>& wrecks) {
    const Vector3 player = PlayerPosition();
    for (std::size_t i = wrecks.size(); i-- > 0;) {
        if (DistanceFrom(player, wrecks[i].vehicle) > CleanUpDistance) DeleteAt(wrecks, i);
    }
}

// An explosion somewhere along the vehicle, the stronger the more the change exceeds the
// threshold.
void Explode(const WreckRecord& wreck, const Vector3& position, float change, float threshold) {
    const float upperBound = threshold * 70.0f * 0.06666667f;
    const Vector3 forward = GET_ENTITY_FORWARD_VECTOR(wreck.vehicle);
    const float offset = static_cast<float>(std::rand() % 1200 - 600) * 0.01f;
    // At the highest sensitivity threshold and bound are both 0: any change is the strongest.
    const float strength = upperBound > threshold ? (change - threshold) / (upperBound - threshold) : 1.0f;
    const float damage = std::min(static_cast<float>(static_cast<double>(strength) * 0.8 + 0.2), 1.0f);
    const float shake = std::min(strength, 1.0f);
    ADD_EXPLOSION(position.x + forward.x * offset, position.y + forward.y * offset,
                  position.z + forward.z * offset + 1.0f, ExplosionType, damage, true, false, shake);
}

void Sample(WreckRecord& wreck, float elapsed) {
    SET_ENTITY_DYNAMIC(wreck.vehicle, true);
    const float sensitivity = settings.Explosion[wreck.trainType];
    if (sensitivity <= 0.0f || wreck.explosions >= MaxExplosions) return;
    const Vector3 position = GET_ENTITY_COORDS(wreck.vehicle, true);
    const float speed = Distance3D(wreck.lastPosition, position) / elapsed;
    if (wreck.samples <= QuietPasses) {
        ++wreck.samples;
    } else {
        const float change = std::fabs(speed - wreck.lastSpeed) / elapsed;
        const float threshold = (1.0f - sensitivity) * ExplosionThresholdScale;
        if (change > threshold) {
            Explode(wreck, position, change, threshold);
            ++wreck.explosions;
            wreck.samples = 0;
        }
    }
    wreck.lastPosition = position;
    wreck.lastSpeed = speed;
}

}  // namespace

void AppendWreck(CabState& state, Vehicle vehicle, TrainType type) {
    WreckRecord record;
    record.vehicle = vehicle;
    record.trainType = type;
    state.wrecks.push_back(record);
    state.wreckCount = static_cast<int>(state.wrecks.size());
}

void RunWreckUpkeep(CabState& state) {
    std::vector<WreckRecord>& wrecks = state.wrecks;
    if (wrecks.empty()) return;
    ++state.wreckFrameCount;
    const float frameTime = GET_FRAME_TIME();
    // A frame time that is not a number would stop the sampling for good.
    if (std::isfinite(frameTime)) state.wreckCheckTime += frameTime;

    const bool samplingDue = static_cast<double>(state.wreckCheckTime) > SamplingInterval;
    const bool cleanUpDue = state.wreckFrameCount > CleanUpFrames;
    if (samplingDue || cleanUpDue || wrecks.size() > static_cast<std::size_t>(MaxWrecks)) {
        DropVanished(wrecks);
        TrimToNearest(wrecks);
    }
    if (cleanUpDue) {
        state.wreckFrameCount = 0;
        DeleteFarFromPlayer(wrecks);
    }
    if (samplingDue) {
        for (WreckRecord& wreck : wrecks) Sample(wreck, state.wreckCheckTime);
        state.wreckCheckTime = 0.0f;
    }
    state.wreckCount = static_cast<int>(wrecks.size());
}

}  // namespace kelvane
