#pragma once
// The handlers that answer the game's natives from a World, one registration per group.

namespace sim {

class World;

void RegisterEntityNatives(World& world);   // entities, peds, seats, tasks
void RegisterVehicleNatives(World& world);  // trains, free vehicles, doors, lights, horn
void RegisterScreenNatives(World& world);   // text, rectangles, camera, explosions
void RegisterInputNatives(World& world);    // controls, frame time, hashing

}  // namespace sim
