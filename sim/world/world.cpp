#include "world/world.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <stdexcept>

#include "world/world_natives.h"

namespace sim {

namespace {

constexpr double RailVehicleOriginHeight = 0.5;  // above the rail
constexpr double FreeVehicleOriginHeight = 0.5;  // above the ground
constexpr double PedOriginHeight = 1.0;          // above the ground
constexpr double CarGap = 1.0;
constexpr double TrainControlAcceleration = 1.5;  // how fast the game's own control reaches cruise speed
constexpr double GroundFriction = 6.0;            // m/s² on a sliding vehicle
constexpr double Gravity = 9.81;
constexpr double LeaveVehicleTime = 0.8;
constexpr double ShuffleSeatTime = 0.6;
constexpr double SteppingAwayTime = 0.4;
constexpr double NearbyRadius = 100.0;
constexpr double SeatSideOffset = 0.6;
constexpr double StepOutDistance = 2.0;

Vec3 RightOf(const Vec3& forward) { return Normalized({forward.y, -forward.x, 0.0}, {1.0, 0.0, 0.0}); }

// Where the moving point a->b first crosses the wall c->d, as a fraction of a->b.
std::optional<double> CrossingFraction(const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& d) {
    const double rx = b.x - a.x, ry = b.y - a.y;
    const double sx = d.x - c.x, sy = d.y - c.y;
    const double denominator = rx * sy - ry * sx;
    if (denominator == 0.0) return std::nullopt;
    const double t = ((c.x - a.x) * sy - (c.y - a.y) * sx) / denominator;
    const double u = ((c.x - a.x) * ry - (c.y - a.y) * rx) / denominator;
    if (t < 0.0 || t > 1.0 || u < 0.0 || u > 1.0) return std::nullopt;
    return t;
}

}  // namespace

CarGeometry GeometryOf(ModelHash model) {
    if (model == FreightLocomotiveModel) return {17.0, 11.0};
    if (model == TramModel) return {11.0, 7.5};
    return {15.0, 10.0};
}

ModelHash HashKey(const std::string& text) {
    std::uint32_t hash = 0;
    for (unsigned char c : text) {
        hash += static_cast<std::uint32_t>(std::tolower(c));
        hash += hash << 10;
        hash ^= hash >> 6;
    }
    hash += hash << 3;
    hash ^= hash >> 11;
    hash += hash << 15;
    return hash;
}

ModelHash ModelFromName(const std::string& name) {
    // Readable aliases for the game's own model names.
    if (name == "freight_locomotive") return HashKey("freight");
    if (name == "tram") return HashKey("metrotrain");
    return HashKey(name);
}

World::World() { playerPed_ = AddPed("player", {0.0, 0.0, PedOriginHeight}); }

Handle World::AddPed(const std::string& name, const Vec3& position) {
    const Handle handle = NewHandle();
    Ped& ped = peds_[handle];
    ped.handle = handle;
    ped.name = name;
    ped.position = position;
    return handle;
}

void World::PlacePed(Handle handle, const Vec3& position, double headingDegrees) {
    if (Ped* ped = FindPed(handle)) {
        RemoveFromSeat(*ped);
        ped->position = position;
        ped->forward = ForwardFromRotation(0.0, headingDegrees);
    }
}

int World::AddTrack(Track track) {
    tracks_.push_back(std::move(track));
    return static_cast<int>(tracks_.size()) - 1;
}

int World::AddTrain(const TrainSpec& definition) {
    if (definition.track < 0 || definition.track >= static_cast<int>(tracks_.size())) {
        throw std::invalid_argument("train '" + definition.name + "' runs on a track that does not exist");
    }
    if (definition.cars.empty()) throw std::invalid_argument("train '" + definition.name + "' has no cars");
    Train train;
    train.name = definition.name;
    train.track = definition.track;
    train.distance = definition.distance;
    train.heading = definition.againstTrack ? -1 : 1;
    train.speed = definition.speed;
    train.cruiseSpeed = definition.cruiseSpeed;
    // A deleted train has no cars left, so its slot can take the new one: a long run in
    // which trains keep being deleted and spawned does not grow.
    const auto freeSlot = std::find_if(trains_.begin(), trains_.end(), [](const Train& t) { return t.deleted; });
    const int index = static_cast<int>(freeSlot - trains_.begin());
    for (const CarSpec& car : definition.cars) {
        const Handle handle = NewHandle();
        Vehicle& vehicle = vehicles_[handle];
        vehicle.handle = handle;
        vehicle.model = car.model;
        vehicle.train = index;
        vehicle.reversed = car.reversed;
        train.cars.push_back(handle);
    }
    if (freeSlot == trains_.end()) {
        trains_.push_back(std::move(train));
    } else {
        *freeSlot = std::move(train);
    }
    PlaceCars(trains_[index]);
    const Handle lead = trains_[index].cars.front();
    if (definition.engineer) SetPedIntoVehicle(AddPed(definition.name + " engineer", {}), lead, DriverSeat);
    if (definition.passenger) SetPedIntoVehicle(AddPed(definition.name + " passenger", {}), lead, PassengerSeat);
    return index;
}

void World::RegisterNatives() {
    RegisterEntityNatives(*this);
    RegisterVehicleNatives(*this);
    RegisterScreenNatives(*this);
    RegisterInputNatives(*this);
}

void World::AddWall(const Vec3& from, const Vec3& to) { walls_.push_back({from, to}); }

void World::PlaceCars(Train& train) {
    const Track& track = tracks_[train.track];
    double offset = 0.0;
    for (std::size_t i = 0; i < train.cars.size(); ++i) {
        Vehicle* car = FindVehicle(train.cars[i]);
        if (car == nullptr) continue;
        const CarGeometry geometry = GeometryOf(car->model);
        if (i > 0) {
            const Vehicle* ahead = FindVehicle(train.cars[i - 1]);
            offset += (ahead ? GeometryOf(ahead->model).length : 0.0) / 2.0 + CarGap + geometry.length / 2.0;
        }
        // The body rests on its two bogies: it faces from the rear one to the front one and
        // its origin sits midway between them.
        const double centre = train.distance - train.heading * offset;
        const double towardsFront = train.heading * geometry.bogieSpacing / 2.0;
        const TrackPoint front = track.AtOrPastEnds(centre + towardsFront);
        const TrackPoint rear = track.AtOrPastEnds(centre - towardsFront);
        const Vec3 span = front.position - rear.position;
        const double spanLength = Length(span);
        const Vec3 heading = spanLength > 0.0 ? span * (1.0 / spanLength) : front.direction * train.heading;
        car->position = (front.position + rear.position) * 0.5 + Vec3{0.0, 0.0, RailVehicleOriginHeight};
        car->forward = car->reversed ? heading * -1.0 : heading;
        car->velocity = heading * train.speed;
    }
}

void World::BeginFrame(float frameTime, std::set<int> heldControls) {
    frameTime_ = frameTime;
    controls_.NextFrame(std::move(heldControls));
    frame_.Clear();
}

void World::EndFrame() {
    // A zero, negative or non-finite frame time freezes the world rather than running it back.
    const double dt = std::isfinite(frameTime_) && frameTime_ > 0.0f ? frameTime_ : 0.0;
    AdvanceTrains(dt);
    for (auto& [handle, vehicle] : vehicles_) {
        if (vehicle.train < 0) AdvanceFreeVehicle(vehicle, dt);
    }
    AdvancePeds(dt);
    gameTime_ += dt;
    gameTimeMilliseconds_ = static_cast<std::uint64_t>(std::llround(gameTime_ * 1000.0));
    ++frameNumber_;
}

void World::AdvanceTrains(double dt) {
    for (Train& train : trains_) {
        if (train.deleted) continue;
        if (train.commandedSpeed) {
            train.speed = *train.commandedSpeed;
        } else {
            const double step = TrainControlAcceleration * dt;
            train.speed += std::clamp(train.cruiseSpeed - train.speed, -step, step);
        }
        train.appliedCommand = train.commandedSpeed;
        train.commandedSpeed.reset();
        const Track& track = tracks_[train.track];
        const double moved = train.distance + train.heading * train.speed * dt;
        train.distance = track.Wrap(moved);
        if (!track.Loop() && train.distance != moved) train.speed = 0.0;  // the end of the line
        PlaceCars(train);
    }
}

void World::AdvanceFreeVehicle(Vehicle& vehicle, double dt) {
    const double restHeight = groundHeight_ + FreeVehicleOriginHeight;
    const bool airborne = vehicle.position.z > restHeight || vehicle.velocity.z > 0.0;
    if (airborne) {
        vehicle.velocity.z -= Gravity * dt;
    } else {
        const double horizontal = Length2D(vehicle.velocity);
        const double slowed = std::max(0.0, horizontal - GroundFriction * dt);
        const double keep = horizontal > 0.0 ? slowed / horizontal : 0.0;
        vehicle.velocity = {vehicle.velocity.x * keep, vehicle.velocity.y * keep, 0.0};
    }
    const Vec3 from = vehicle.position;
    Vec3 to = from + vehicle.velocity * dt;
    std::optional<double> firstHit;
    // A vehicle at rest on the ground crosses no wall: most wrecks, most of the time.
    const bool moves = to.x != from.x || to.y != from.y;
    for (std::size_t i = 0; moves && i < walls_.size(); ++i) {
        const auto hit = CrossingFraction(from, to, walls_[i].from, walls_[i].to);
        if (hit && (!firstHit || *hit < *firstHit)) firstHit = hit;
    }
    if (firstHit) {
        // A wall stops the vehicle dead, just short of it.
        const double travelled = Length2D(to - from) * *firstHit;
        const double back = travelled > 0.05 ? (travelled - 0.05) / travelled : 0.0;
        to = from + (to - from) * (*firstHit * back);
        vehicle.velocity = {};
    }
    if (to.z <= restHeight) {
        to.z = restHeight;
        vehicle.velocity.z = 0.0;
    }
    vehicle.position = to;
}

void World::AdvancePeds(double dt) {
    for (auto& [handle, ped] : peds_) {
        if (ped.task.kind != PedTask::Kind::None) {
            ped.task.remaining -= dt;
            if (ped.task.remaining <= 0.0) {
                const PedTask::Kind done = ped.task.kind;
                ped.task = {};
                Vehicle* vehicle = FindVehicle(ped.vehicle);
                if (done == PedTask::Kind::LeaveVehicle) {
                    ped.steppingAwayFrom = ped.vehicle;
                    ped.steppingAwayTime = SteppingAwayTime;
                    PutPedOut(ped);
                } else if (vehicle != nullptr) {
                    const int other = ped.seat == DriverSeat ? PassengerSeat : DriverSeat;
                    if (PedInSeat(vehicle->handle, other) == 0) SetPedIntoVehicle(handle, vehicle->handle, other);
                }
            }
        }
        if (ped.steppingAwayFrom != 0) {
            ped.steppingAwayTime -= dt;
            if (ped.steppingAwayTime <= 0.0 || ped.vehicle != 0) ped.steppingAwayFrom = 0;
        }
        if (ped.vehicle != 0) {
            FollowVehicle(ped);
        } else if (ped.walkDirection && !ped.dead) {
            ped.forward = *ped.walkDirection;
            ped.position = ped.position + *ped.walkDirection * (ped.walkSpeed * dt);
        } else if (ped.walkTarget && !ped.dead) {
            const Vec3 toTarget = *ped.walkTarget - ped.position;
            const double remaining = Length2D(toTarget);
            const double step = ped.walkSpeed * dt;
            if (remaining <= step) {
                ped.position.x = ped.walkTarget->x;
                ped.position.y = ped.walkTarget->y;
                ped.walkTarget.reset();
            } else {
                ped.forward = Normalized({toTarget.x, toTarget.y, 0.0});
                ped.position = ped.position + ped.forward * step;
            }
        }
    }
}

bool World::Exists(Handle handle) const { return peds_.count(handle) != 0 || vehicles_.count(handle) != 0; }

Ped* World::FindPed(Handle handle) {
    const auto found = peds_.find(handle);
    return found == peds_.end() ? nullptr : &found->second;
}
const Ped* World::FindPed(Handle handle) const { return const_cast<World*>(this)->FindPed(handle); }

Vehicle* World::FindVehicle(Handle handle) {
    const auto found = vehicles_.find(handle);
    return found == vehicles_.end() ? nullptr : &found->second;
}
const Vehicle* World::FindVehicle(Handle handle) const { return const_cast<World*>(this)->FindVehicle(handle); }

std::optional<Vec3> World::PositionOf(Handle entity) const {
    if (const Ped* ped = FindPed(entity)) return ped->position;
    if (const Vehicle* vehicle = FindVehicle(entity)) return vehicle->position;
    return std::nullopt;
}

std::optional<Vec3> World::ForwardOf(Handle entity) const {
    if (const Ped* ped = FindPed(entity)) return ped->forward;
    if (const Vehicle* vehicle = FindVehicle(entity)) return vehicle->forward;
    return std::nullopt;
}

std::optional<Vec3> World::VelocityOf(Handle entity) const {
    if (const Ped* ped = FindPed(entity)) {
        if (const Vehicle* vehicle = FindVehicle(ped->vehicle)) return vehicle->velocity;
        return ped->walkTarget || ped->walkDirection ? ped->forward * ped->walkSpeed : Vec3{};
    }
    if (const Vehicle* vehicle = FindVehicle(entity)) return vehicle->velocity;
    return std::nullopt;
}

double World::HeightAboveGround(Handle entity) const {
    const auto position = PositionOf(entity);
    return position ? position->z - groundHeight_ : 0.0;
}

Train* World::TrainOf(Handle vehicle) {
    const Vehicle* car = FindVehicle(vehicle);
    if (car == nullptr || car->train < 0) return nullptr;
    Train& train = trains_[car->train];
    return train.deleted ? nullptr : &train;
}

Handle World::PedInSeat(Handle vehicle, int seat) const {
    const Vehicle* car = FindVehicle(vehicle);
    if (car == nullptr) return 0;
    if (seat == DriverSeat) return car->driver;
    if (seat == PassengerSeat) return car->passenger;
    return 0;
}

Handle World::VehiclePedIsUsing(Handle handle) const {
    const Ped* ped = FindPed(handle);
    if (ped == nullptr) return 0;
    if (ped->vehicle != 0) return ped->vehicle;
    return Exists(ped->steppingAwayFrom) ? ped->steppingAwayFrom : 0;
}

void World::RemoveFromSeat(Ped& ped) {
    if (Vehicle* vehicle = FindVehicle(ped.vehicle)) {
        if (vehicle->driver == ped.handle) vehicle->driver = 0;
        if (vehicle->passenger == ped.handle) vehicle->passenger = 0;
    }
    ped.vehicle = 0;
    ped.task = {};
}

void World::PutPedOut(Ped& ped) {
    const Vehicle* vehicle = FindVehicle(ped.vehicle);
    if (vehicle != nullptr) {
        const double side = ped.seat == DriverSeat ? -StepOutDistance : StepOutDistance;
        const Vec3 beside = vehicle->position + RightOf(vehicle->forward) * side;
        ped.position = {beside.x, beside.y, groundHeight_ + PedOriginHeight};
        ped.forward = Normalized({vehicle->forward.x, vehicle->forward.y, 0.0});
    }
    RemoveFromSeat(ped);
}

void World::FollowVehicle(Ped& ped) {
    const Vehicle* vehicle = FindVehicle(ped.vehicle);
    if (vehicle == nullptr) {
        ped.vehicle = 0;
        return;
    }
    const double side = ped.seat == DriverSeat ? -SeatSideOffset : SeatSideOffset;
    ped.position = vehicle->position + RightOf(vehicle->forward) * side + Vec3{0.0, 0.0, 0.5};
    ped.forward = vehicle->forward;
}

void World::SetPedIntoVehicle(Handle pedHandle, Handle vehicleHandle, int seat) {
    Ped* ped = FindPed(pedHandle);
    Vehicle* vehicle = FindVehicle(vehicleHandle);
    if (ped == nullptr || vehicle == nullptr || (seat != DriverSeat && seat != PassengerSeat)) return;
    RemoveFromSeat(*ped);
    Handle& place = seat == DriverSeat ? vehicle->driver : vehicle->passenger;
    if (place != 0) {
        // Whoever sat there is pushed out beside the vehicle.
        if (Ped* occupant = FindPed(place)) PutPedOut(*occupant);
    }
    place = pedHandle;
    ped->vehicle = vehicleHandle;
    ped->seat = seat;
    ped->walkTarget.reset();
    ped->walkDirection.reset();
    FollowVehicle(*ped);
}

void World::TaskLeaveVehicle(Handle pedHandle, Handle vehicleHandle) {
    Ped* ped = FindPed(pedHandle);
    if (ped == nullptr || ped->vehicle == 0 || ped->dead) return;
    if (vehicleHandle != 0 && ped->vehicle != vehicleHandle) return;
    ped->task = {PedTask::Kind::LeaveVehicle, LeaveVehicleTime};
}

void World::TaskShuffleSeat(Handle pedHandle, Handle vehicleHandle) {
    Ped* ped = FindPed(pedHandle);
    if (ped == nullptr || ped->vehicle == 0 || ped->vehicle != vehicleHandle || ped->dead) return;
    ped->task = {PedTask::Kind::ShuffleSeat, ShuffleSeatTime};
}

void World::SetEntityCoords(Handle entity, const Vec3& position) {
    if (Ped* ped = FindPed(entity)) {
        RemoveFromSeat(*ped);  // a ped moved by script is taken out of its seat
        ped->position = position;
        ped->walkTarget.reset();
        ped->walkDirection.reset();
    } else if (Vehicle* vehicle = FindVehicle(entity); vehicle != nullptr && vehicle->train < 0) {
        vehicle->position = position;
    }
}

std::vector<Handle> World::NearbyVehicles(Handle pedHandle) const {
    const Ped* ped = FindPed(pedHandle);
    if (ped == nullptr) return {};
    std::vector<std::pair<double, Handle>> near;
    for (const auto& [handle, vehicle] : vehicles_) {
        const double distance = Distance(vehicle.position, ped->position);
        if (distance <= NearbyRadius) near.emplace_back(distance, handle);
    }
    std::sort(near.begin(), near.end());
    std::vector<Handle> handles;
    for (const auto& [distance, handle] : near) handles.push_back(handle);
    return handles;
}

Handle World::TrainCarriage(Handle vehicle, int index) const {
    const Vehicle* car = FindVehicle(vehicle);
    if (car == nullptr || car->train < 0 || index < 0) return 0;
    const Train& train = trains_[car->train];
    if (train.deleted) return 0;
    // Counted from the given car towards the back of the train.
    const auto at = std::find(train.cars.begin(), train.cars.end(), vehicle);
    const auto position = static_cast<std::size_t>(at - train.cars.begin()) + static_cast<std::size_t>(index);
    return position < train.cars.size() ? train.cars[position] : 0;
}

void World::SetTrainSpeed(Handle vehicle, double speed) {
    if (Train* train = TrainOf(vehicle); train != nullptr && std::isfinite(speed)) train->commandedSpeed = speed;
}

void World::SetTrainCruiseSpeed(Handle vehicle, double speed) {
    if (Train* train = TrainOf(vehicle); train != nullptr && std::isfinite(speed)) train->cruiseSpeed = speed;
}

Handle World::CreateVehicle(ModelHash model, const Vec3& position, double headingDegrees) {
    const Handle handle = NewHandle();
    Vehicle& vehicle = vehicles_[handle];
    vehicle.handle = handle;
    vehicle.model = model;
    vehicle.position = position;
    vehicle.forward = ForwardFromRotation(0.0, headingDegrees);
    vehicle.createdByScript = true;
    ++frame_.vehiclesCreated;
    vehicleCreatedSinceTrainsDeleted_ = true;
    return handle;
}

void World::SetForwardSpeed(Handle handle, double speed) {
    Vehicle* vehicle = FindVehicle(handle);
    if (vehicle != nullptr && vehicle->train < 0 && std::isfinite(speed)) vehicle->velocity = vehicle->forward * speed;
}

void World::SetRotation(Handle entity, double pitchDegrees, double yawDegrees) {
    if (!std::isfinite(pitchDegrees) || !std::isfinite(yawDegrees)) return;
    if (Vehicle* vehicle = FindVehicle(entity); vehicle != nullptr && vehicle->train < 0) {
        vehicle->forward = ForwardFromRotation(pitchDegrees, yawDegrees);
    } else if (Ped* ped = FindPed(entity); ped != nullptr && ped->vehicle == 0) {
        ped->forward = ForwardFromRotation(0.0, yawDegrees);
    }
}

void World::DeleteVehicle(Handle handle) {
    Vehicle* vehicle = FindVehicle(handle);
    if (vehicle == nullptr) return;
    for (Handle occupant : {vehicle->driver, vehicle->passenger}) {
        if (Ped* ped = FindPed(occupant)) PutPedOut(*ped);
    }
    if (vehicle->train >= 0) std::erase(trains_[vehicle->train].cars, handle);
    vehicles_.erase(handle);
}

void World::DeleteAllTrains() {
    ++frame_.trainsDeleted;
    if (vehicleCreatedSinceTrainsDeleted_) ++derailments_;
    vehicleCreatedSinceTrainsDeleted_ = false;
    for (Train& train : trains_) {
        if (train.deleted) continue;
        const std::vector<Handle> cars = train.cars;
        for (Handle car : cars) DeleteVehicle(car);
        train.deleted = true;
    }
}

void World::SetDoorRatio(Handle handle, int door, float ratio) {
    Vehicle* vehicle = FindVehicle(handle);
    if (vehicle == nullptr || door < 0 || door >= DoorCount || !std::isfinite(ratio)) return;
    vehicle->doors[door] = std::clamp(ratio, 0.0f, vehicle->doorLimit[door]);
}

void World::KillPed(Handle handle) {
    if (Ped* ped = FindPed(handle)) {
        ped->dead = true;
        ped->walkTarget.reset();
        ped->walkDirection.reset();
        ped->task = {};
    }
}

void World::VanishTrain(const std::string& name) {
    for (Train& train : trains_) {
        if (train.name != name || train.deleted) continue;
        const std::vector<Handle> cars = train.cars;
        for (Handle car : cars) DeleteVehicle(car);
        train.deleted = true;
    }
}

void World::BlockDoor(Handle handle, int door, float limit) {
    Vehicle* vehicle = FindVehicle(handle);
    if (vehicle == nullptr || door < 0 || door >= DoorCount) return;
    vehicle->doorLimit[door] = std::clamp(limit, 0.0f, 1.0f);
    vehicle->doors[door] = std::min(vehicle->doors[door], vehicle->doorLimit[door]);
}

void World::WalkPedTo(Handle handle, const Vec3& target, double speed) {
    Ped* ped = FindPed(handle);
    if (ped == nullptr || ped->vehicle != 0) return;
    ped->walkTarget = target;
    ped->walkDirection.reset();
    ped->walkSpeed = speed;
}

void World::WalkPedInDirection(Handle handle, const Vec3& direction, Gait gait) {
    Ped* ped = FindPed(handle);
    if (ped == nullptr || ped->vehicle != 0 || ped->dead) return;
    const Vec3 flat{direction.x, direction.y, 0.0};
    const double length = Length2D(flat);
    if (!(length > 0.0) || !std::isfinite(length)) {
        ped->walkDirection.reset();
        return;
    }
    ped->walkTarget.reset();
    ped->walkDirection = flat * (1.0 / length);
    ped->forward = *ped->walkDirection;
    ped->walkSpeed = gait == Gait::Run ? PedRunningSpeed : PedWalkingSpeed;
}

Handle World::FindTrainCar(const std::string& trainName, int index) const {
    for (const Train& train : trains_) {
        if (train.name == trainName && !train.deleted && index >= 0 && index < static_cast<int>(train.cars.size())) {
            return train.cars[index];
        }
    }
    return 0;
}

}  // namespace sim
