// Each wrapper is the hook protocol with the native's hash; encoding lives in native_invoke.h.

#include "host/natives.h"

#include "host/native_invoke.h"

namespace kelvane {

using native_protocol::Invoke;

// Text and drawing
void SET_TEXT_FONT(int font) { Invoke<void>(0x66E0276CC5F6B9DA, font); }
void SET_TEXT_SCALE(float scaleX, float scaleY) { Invoke<void>(0x07C837F9A01C34C9, scaleX, scaleY); }
void SET_TEXT_COLOUR(int red, int green, int blue, int alpha) { Invoke<void>(0xBE6B23FFA53FB442, red, green, blue, alpha); }
void SET_TEXT_WRAP(float start, float end) { Invoke<void>(0x63145D9C883A1A70, start, end); }
void SET_TEXT_CENTRE(BOOL centre) { Invoke<void>(0xC02F4DBFB51D988B, centre); }
void SET_TEXT_DROPSHADOW(int distance, int red, int green, int blue, int alpha) { Invoke<void>(0x465C84BC39F1C351, distance, red, green, blue, alpha); }
void SET_TEXT_EDGE(int width, int red, int green, int blue, int alpha) { Invoke<void>(0x441603240D202FA6, width, red, green, blue, alpha); }
void _SET_TEXT_ENTRY(const char* entry) { Invoke<void>(0x25FBB336DF1804CB, entry); }
void _ADD_TEXT_COMPONENT_STRING(const char* text) { Invoke<void>(0x6C188BE134E074AA, text); }
void _DRAW_TEXT(float x, float y) { Invoke<void>(0xCD015E5BB0D96A57, x, y); }
void DRAW_RECT(float x, float y, float width, float height, int red, int green, int blue, int alpha) { Invoke<void>(0x3A618A217E5154F0, x, y, width, height, red, green, blue, alpha); }

// Input
bool IS_CONTROL_PRESSED(int group, int control) { return Invoke<bool>(0xF3A21BCD95725A4A, group, control); }
bool IS_CONTROL_JUST_PRESSED(int group, int control) { return Invoke<bool>(0x580417101DDB492F, group, control); }
bool IS_CONTROL_JUST_RELEASED(int group, int control) { return Invoke<bool>(0x50F940259D3841E6, group, control); }
bool IS_CONTROL_RELEASED(int group, int control) { return Invoke<bool>(0x648EE3E7F38877DD, group, control); }

// Frame time and hashing
float GET_FRAME_TIME() { return Invoke<float>(0x15C40837039FFAF7); }
Hash GET_HASH_KEY(const char* text) { return Invoke<Hash>(0xD24D37CC275948CC, text); }

// Player, characters and tasks
Ped PLAYER_PED_ID() { return Invoke<Ped>(0xD80958FC74E988A6); }
bool IS_PED_IN_ANY_VEHICLE(Ped ped, BOOL atGetIn) { return Invoke<bool>(0x997ABD671D25CA0B, ped, atGetIn); }
bool IS_PED_IN_ANY_TRAIN(Ped ped) { return Invoke<bool>(0x6F972C1AB75A1ED0, ped); }
Vehicle GET_VEHICLE_PED_IS_USING(Ped ped) { return Invoke<Vehicle>(0x6094AD011A2EA87D, ped); }
int GET_PED_NEARBY_VEHICLES(Ped ped, std::int32_t* buffer) { return Invoke<int>(0xCFF869CBFA210D82, ped, buffer); }
Ped GET_PED_IN_VEHICLE_SEAT(Vehicle vehicle, int seat) { return Invoke<Ped>(0xBB40DD2270B65366, vehicle, seat); }
void SET_PED_INTO_VEHICLE(Ped ped, Vehicle vehicle, int seat) { Invoke<void>(0xF75B0D629E1C063D, ped, vehicle, seat); }
void TASK_LEAVE_VEHICLE(Ped ped, Vehicle vehicle, int flags) { Invoke<void>(0xD3DBCE61A490BE02, ped, vehicle, flags); }
void TASK_LEAVE_ANY_VEHICLE(Ped ped, int vehicle, int flags) { Invoke<void>(0x504D54DF3F6F2247, ped, vehicle, flags); }
void TASK_SHUFFLE_TO_NEXT_VEHICLE_SEAT(Ped ped, Vehicle vehicle) { Invoke<void>(0x7AA80209BDA643EB, ped, vehicle); }

// Entities
bool DOES_ENTITY_EXIST(Entity entity) { return Invoke<bool>(0x7239B21A38F536BA, entity); }
bool IS_ENTITY_DEAD(Entity entity) { return Invoke<bool>(0x5F9532F3B5CC2551, entity); }
Vector3 GET_ENTITY_COORDS(Entity entity, BOOL alive) { return Invoke<Vector3>(0x3FEF770D40960D5A, entity, alive); }
void SET_ENTITY_COORDS(Entity entity, float x, float y, float z, BOOL xAxis, BOOL yAxis, BOOL zAxis, BOOL clearArea) { Invoke<void>(0x06843DA7060A026B, entity, x, y, z, xAxis, yAxis, zAxis, clearArea); }
Vector3 GET_ENTITY_ROTATION(Entity entity, int order) { return Invoke<Vector3>(0xAFBD61CC738D9EB9, entity, order); }
void SET_ENTITY_ROTATION(Entity entity, float pitch, float roll, float yaw, int order, BOOL deadCheck) { Invoke<void>(0x8524A8B0171D5E07, entity, pitch, roll, yaw, order, deadCheck); }
float GET_ENTITY_FORWARD_X(Entity entity) { return Invoke<float>(0x8BB4EF4214E0E6D5, entity); }
float GET_ENTITY_FORWARD_Y(Entity entity) { return Invoke<float>(0x866A4A5FAE349510, entity); }
Vector3 GET_ENTITY_FORWARD_VECTOR(Entity entity) { return Invoke<Vector3>(0x0A794A5A57F8DF91, entity); }
float GET_ENTITY_SPEED(Entity entity) { return Invoke<float>(0xD5037BA82E12416F, entity); }
Vector3 GET_ENTITY_SPEED_VECTOR(Entity entity, BOOL relative) { return Invoke<Vector3>(0x9A8D700A51CB7B0D, entity, relative); }
Hash GET_ENTITY_MODEL(Entity entity) { return Invoke<Hash>(0x9F47B058362C84B5, entity); }
float GET_ENTITY_HEIGHT_ABOVE_GROUND(Entity entity) { return Invoke<float>(0x1DD55701034110E5, entity); }
void SET_ENTITY_DYNAMIC(Entity entity, BOOL toggle) { Invoke<void>(0x1718DE8E3F2823CA, entity, toggle); }
void SET_ENTITY_CAN_BE_DAMAGED(Entity entity, BOOL toggle) { Invoke<void>(0x1760FFA8AB074D66, entity, toggle); }

// Vehicles and trains
void SET_TRAIN_SPEED(Vehicle train, float speed) { Invoke<void>(0xAA0BC91BE0B796E3, train, speed); }
void SET_TRAIN_CRUISE_SPEED(Vehicle train, float speed) { Invoke<void>(0x16469284DB8C62B5, train, speed); }
Vehicle GET_TRAIN_CARRIAGE(Vehicle train, int index) { return Invoke<Vehicle>(0x08AAFD0814722BC3, train, index); }
void DELETE_ALL_TRAINS() { Invoke<void>(0x736A718577F39C7D); }
Vehicle CREATE_VEHICLE(Hash model, float x, float y, float z, float heading, BOOL isNetwork, BOOL thisScriptCheck) { return Invoke<Vehicle>(0xAF35D0D2583051B0, model, x, y, z, heading, isNetwork, thisScriptCheck); }
void DELETE_VEHICLE(Vehicle* vehicle) { Invoke<void>(0xEA386986E786A54F, vehicle); }
void SET_VEHICLE_FORWARD_SPEED(Vehicle vehicle, float speed) { Invoke<void>(0xAB54A438726D25D5, vehicle, speed); }
void SET_VEHICLE_CAN_BE_VISIBLY_DAMAGED(Vehicle vehicle, BOOL toggle) { Invoke<void>(0x4C7028F78FFD3681, vehicle, toggle); }
float GET_VEHICLE_DOOR_ANGLE_RATIO(Vehicle vehicle, int door) { return Invoke<float>(0xFE3F9C29F7B32BD5, vehicle, door); }
void SET_VEHICLE_DOOR_CONTROL(Vehicle vehicle, int door, int speed, float angle) { Invoke<void>(0xF2BFA0430F0A0FCB, vehicle, door, speed, angle); }
void SET_VEHICLE_FULLBEAM(Vehicle vehicle, BOOL toggle) { Invoke<void>(0x8B7FD87F0DDB421E, vehicle, toggle); }
void START_VEHICLE_HORN(Vehicle vehicle, int duration, Hash mode, BOOL forever) { Invoke<void>(0x9C8C6504B5B63D2C, vehicle, duration, mode, forever); }

// Camera and effects
void SHAKE_GAMEPLAY_CAM(const char* shakeName, float intensity) { Invoke<void>(0xFD55E49555E017CF, shakeName, intensity); }
void SET_GAMEPLAY_CAM_SHAKE_AMPLITUDE(float amplitude) { Invoke<void>(0xA87E00932DB4D85D, amplitude); }
void STOP_GAMEPLAY_CAM_SHAKING(BOOL stopImmediately) { Invoke<void>(0x0EF93E9F3D08C178, stopImmediately); }
void ADD_EXPLOSION(float x, float y, float z, int type, float damageScale, BOOL isAudible, BOOL isInvisible, float cameraShake) { Invoke<void>(0xE3AD2BDBAEE269AC, x, y, z, type, damageScale, isAudible, isInvisible, cameraShake); }

}  // namespace kelvane
