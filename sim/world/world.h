#pragma once
// The simulated game: flat ground, tracks, trains whose cars follow them, free vehicles
// that slide and stop hard at walls, peds in seats, controls, and what each frame shows.
// Natives reach it by hash (world_natives_*.cpp); scenarios build and drive it.

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "world/controls.h"
#include "world/entities.h"
#include "world/frame_record.h"
#include "world/geometry.h"
#include "world/track.h"

namespace sim {

// Model hashes as the game knows them: its hashes of "freight" and "metrotrain".
inline constexpr ModelHash FreightLocomotiveModel = 0x3D6AAA9B;
inline constexpr ModelHash TramModel = 0x33C9E158;
// A model by the game's name, or by the aliases "freight_locomotive" and "tram".
ModelHash ModelFromName(const std::string& name);
// The game's hash of a text: Jenkins' one-at-a-time over the lower-cased text.
ModelHash HashKey(const std::string& text);

// A rail car's body length and the distance between its bogie centres.
struct CarGeometry {
    double length = 0.0;
    double bogieSpacing = 0.0;
};
CarGeometry GeometryOf(ModelHash model);

struct CarSpec {
    ModelHash model = 0;
    bool reversed = false;
};

struct TrainSpec {
    std::string name;
    int track = 0;
    double distance = 0.0;  // of the lead car along the track
    bool againstTrack = false;
    std::vector<CarSpec> cars;
    double speed = 0.0;
    double cruiseSpeed = 0.0;
    bool engineer = true;    // a crew ped in seat -1 of the lead car
    bool passenger = false;  // and one in seat 0
};

class World {
public:
    World();

    // Building.
    int AddTrack(Track track);
    int AddTrain(const TrainSpec& definition);
    void AddWall(const Vec3& from, const Vec3& to);
    void SetGroundHeight(double height) { groundHeight_ = height; }
    void PlacePed(Handle ped, const Vec3& position, double headingDegrees);

    // Natives answer from here.
    void RegisterNatives();

    // One frame: the script runs between the two calls.
    void BeginFrame(float frameTime, std::set<int> heldControls);
    void EndFrame();

    // Time.
    float FrameTime() const { return frameTime_; }
    std::uint64_t GameTimeMilliseconds() const { return gameTimeMilliseconds_; }
    double GameTime() const { return gameTime_; }
    std::uint64_t FrameNumber() const { return frameNumber_; }

    // Entities.
    Handle PlayerPed() const { return playerPed_; }
    bool Exists(Handle handle) const;
    Ped* FindPed(Handle handle);
    Vehicle* FindVehicle(Handle handle);
    const Ped* FindPed(Handle handle) const;
    const Vehicle* FindVehicle(Handle handle) const;
    std::optional<Vec3> PositionOf(Handle entity) const;
    std::optional<Vec3> ForwardOf(Handle entity) const;
    std::optional<Vec3> VelocityOf(Handle entity) const;
    double HeightAboveGround(Handle entity) const;
    const std::map<Handle, Ped>& Peds() const { return peds_; }
    const std::map<Handle, Vehicle>& Vehicles() const { return vehicles_; }
    const std::vector<Train>& Trains() const { return trains_; }
    const std::vector<Track>& Tracks() const { return tracks_; }
    Train* TrainOf(Handle vehicle);

    // Peds and seats.
    Handle PedInSeat(Handle vehicle, int seat) const;
    // The vehicle a ped sits in, or is still getting out of; 0 for none.
    Handle VehiclePedIsUsing(Handle ped) const;
    void SetPedIntoVehicle(Handle ped, Handle vehicle, int seat);
    void TaskLeaveVehicle(Handle ped, Handle vehicle);
    void TaskShuffleSeat(Handle ped, Handle vehicle);
    void SetEntityCoords(Handle entity, const Vec3& position);
    std::vector<Handle> NearbyVehicles(Handle ped) const;  // nearest first

    // Vehicles and trains.
    Handle TrainCarriage(Handle vehicle, int index) const;
    void SetTrainSpeed(Handle vehicle, double speed);
    void SetTrainCruiseSpeed(Handle vehicle, double speed);
    Handle CreateVehicle(ModelHash model, const Vec3& position, double headingDegrees);
    void SetForwardSpeed(Handle vehicle, double speed);
    void SetRotation(Handle entity, double pitchDegrees, double yawDegrees);
    void DeleteVehicle(Handle vehicle);
    void DeleteAllTrains();
    void SetDoorRatio(Handle vehicle, int door, float ratio);

    // Scenario events.
    void KillPed(Handle ped);
    void VanishTrain(const std::string& name);
    void BlockDoor(Handle vehicle, int door, float limit);
    void WalkPedTo(Handle ped, const Vec3& target, double speed);
    Handle FindTrainCar(const std::string& trainName, int index) const;

    // What this frame shows, and counters over the whole run.
    Controls& Input() { return controls_; }
    const Controls& Input() const { return controls_; }
    FrameRecord& Frame() { return frame_; }
    const FrameRecord& Frame() const { return frame_; }
    TextStyle& PendingTextStyle() { return pendingText_; }
    CameraShake& Camera() { return camera_; }
    const CameraShake& Camera() const { return camera_; }
    int Derailments() const { return derailments_; }
    int ExplosionsSoFar() const { return explosionsSoFar_; }
    void CountExplosion() { ++explosionsSoFar_; }

private:
    Handle NewHandle() { return nextHandle_++; }
    Handle AddPed(const std::string& name, const Vec3& position);
    void PlaceCars(Train& train);
    void PutPedOut(Ped& ped);
    void RemoveFromSeat(Ped& ped);
    void FollowVehicle(Ped& ped);
    void AdvancePeds(double dt);
    void AdvanceTrains(double dt);
    void AdvanceFreeVehicle(Vehicle& vehicle, double dt);

    float frameTime_ = 0.0f;
    double gameTime_ = 0.0;
    std::uint64_t gameTimeMilliseconds_ = 0;
    std::uint64_t frameNumber_ = 0;
    double groundHeight_ = 0.0;

    Handle nextHandle_ = 1;
    Handle playerPed_ = 0;
    std::map<Handle, Ped> peds_;
    std::map<Handle, Vehicle> vehicles_;
    std::vector<Track> tracks_;
    std::vector<Train> trains_;
    struct Wall {
        Vec3 from, to;
    };
    std::vector<Wall> walls_;

    Controls controls_;
    FrameRecord frame_;
    TextStyle pendingText_;
    CameraShake camera_;
    int derailments_ = 0;
    int explosionsSoFar_ = 0;
    bool vehicleCreatedSinceTrainsDeleted_ = false;
};

}  // namespace sim
