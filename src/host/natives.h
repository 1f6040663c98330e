#pragma once
// One typed function per game native the plug-in calls, named after the native.
// Game logic reaches the game only through these.

#include <cstdint>

#include "host/native_types.h"

namespace kelvane {

// Text and drawing
void SET_TEXT_FONT(int font);
void SET_TEXT_SCALE(float scaleX, float scaleY);
void SET_TEXT_COLOUR(int red, int green, int blue, int alpha);
void SET_TEXT_WRAP(float start, float end);
void SET_TEXT_CENTRE(BOOL centre);
void SET_TEXT_DROPSHADOW(int distance, int red, int green, int blue, int alpha);
void SET_TEXT_EDGE(int width, int red, int green, int blue, int alpha);
void _SET_TEXT_ENTRY(const char* entry);
void _ADD_TEXT_COMPONENT_STRING(const char* text);
void _DRAW_TEXT(float x, float y);
void DRAW_RECT(float x, float y, float width, float height, int red, int green, int blue, int alpha);

// Input
bool IS_CONTROL_PRESSED(int group, int control);
bool IS_CONTROL_JUST_PRESSED(int group, int control);
bool IS_CONTROL_JUST_RELEASED(int group, int control);
bool IS_CONTROL_RELEASED(int group, int control);

// Frame time and hashing
float GET_FRAME_TIME();
Hash GET_HASH_KEY(const char* text);

// Player, characters and tasks
Ped PLAYER_PED_ID();
bool IS_PED_IN_ANY_VEHICLE(Ped ped, BOOL atGetIn);
bool IS_PED_IN_ANY_TRAIN(Ped ped);
Vehicle GET_VEHICLE_PED_IS_USING(Ped ped);
int GET_PED_NEARBY_VEHICLES(Ped ped, std::int32_t* buffer);
Ped GET_PED_IN_VEHICLE_SEAT(Vehicle vehicle, int seat);
void SET_PED_INTO_VEHICLE(Ped ped, Vehicle vehicle, int seat);
void TASK_LEAVE_VEHICLE(Ped ped, Vehicle vehicle, int flags);
void TASK_LEAVE_ANY_VEHICLE(Ped ped, int vehicle, int flags);
void TASK_SHUFFLE_TO_NEXT_VEHICLE_SEAT(Ped ped, Vehicle vehicle);

// Entities
bool DOES_ENTITY_EXIST(Entity entity);
bool IS_ENTITY_DEAD(Entity entity);
Vector3 GET_ENTITY_COORDS(Entity entity, BOOL alive);
void SET_ENTITY_COORDS(Entity entity, float x, float y, float z, BOOL xAxis, BOOL yAxis, BOOL zAxis, BOOL clearArea);
Vector3 GET_ENTITY_ROTATION(Entity entity, int order);
void SET_ENTITY_ROTATION(Entity entity, float pitch, float roll, float yaw, int order, BOOL deadCheck);
float GET_ENTITY_FORWARD_X(Entity entity);
float GET_ENTITY_FORWARD_Y(Entity entity);
Vector3 GET_ENTITY_FORWARD_VECTOR(Entity entity);
float GET_ENTITY_SPEED(Entity entity);
Vector3 GET_ENTITY_SPEED_VECTOR(Entity entity, BOOL relative);
Hash GET_ENTITY_MODEL(Entity entity);
float GET_ENTITY_HEIGHT_ABOVE_GROUND(Entity entity);
void SET_ENTITY_DYNAMIC(Entity entity, BOOL toggle);
void SET_ENTITY_CAN_BE_DAMAGED(Entity entity, BOOL toggle);

// Vehicles and trains
void SET_TRAIN_SPEED(Vehicle train, float speed);
void SET_TRAIN_CRUISE_SPEED(Vehicle train, float speed);
Vehicle GET_TRAIN_CARRIAGE(Vehicle train, int index);
void DELETE_ALL_TRAINS();
Vehicle CREATE_VEHICLE(Hash model, float x, float y, float z, float heading, BOOL isNetwork, BOOL thisScriptCheck);
void DELETE_VEHICLE(Vehicle* vehicle);
void SET_VEHICLE_FORWARD_SPEED(Vehicle vehicle, float speed);
void SET_VEHICLE_CAN_BE_VISIBLY_DAMAGED(Vehicle vehicle, BOOL toggle);
float GET_VEHICLE_DOOR_ANGLE_RATIO(Vehicle vehicle, int door);
void SET_VEHICLE_DOOR_CONTROL(Vehicle vehicle, int door, int speed, float angle);
void SET_VEHICLE_FULLBEAM(Vehicle vehicle, BOOL toggle);
void START_VEHICLE_HORN(Vehicle vehicle, int duration, Hash mode, BOOL forever);

// Camera and effects
void SHAKE_GAMEPLAY_CAM(const char* shakeName, float intensity);
void SET_GAMEPLAY_CAM_SHAKE_AMPLITUDE(float amplitude);
void STOP_GAMEPLAY_CAM_SHAKING(BOOL stopImmediately);
void ADD_EXPLOSION(float x, float y, float z, int type, float damageScale, BOOL isAudible, BOOL isInvisible, float cameraShake);

}  // namespace kelvane
