#pragma once
// The game natives the world answers, by hash, as the game knows them.

#include <cstdint>

namespace sim::native {

inline constexpr std::uint64_t SET_TEXT_FONT = 0x66E0276CC5F6B9DA;
inline constexpr std::uint64_t SET_TEXT_SCALE = 0x07C837F9A01C34C9;
inline constexpr std::uint64_t SET_TEXT_COLOUR = 0xBE6B23FFA53FB442;
inline constexpr std::uint64_t SET_TEXT_WRAP = 0x63145D9C883A1A70;
inline constexpr std::uint64_t SET_TEXT_CENTRE = 0xC02F4DBFB51D988B;
inline constexpr std::uint64_t SET_TEXT_DROPSHADOW = 0x465C84BC39F1C351;
inline constexpr std::uint64_t SET_TEXT_EDGE = 0x441603240D202FA6;
inline constexpr std::uint64_t SET_TEXT_ENTRY = 0x25FBB336DF1804CB;
inline constexpr std::uint64_t ADD_TEXT_COMPONENT_STRING = 0x6C188BE134E074AA;
inline constexpr std::uint64_t DRAW_TEXT = 0xCD015E5BB0D96A57;
inline constexpr std::uint64_t DRAW_RECT = 0x3A618A217E5154F0;
inline constexpr std::uint64_t IS_CONTROL_PRESSED = 0xF3A21BCD95725A4A;
inline constexpr std::uint64_t IS_CONTROL_JUST_PRESSED = 0x580417101DDB492F;
inline constexpr std::uint64_t IS_CONTROL_JUST_RELEASED = 0x50F940259D3841E6;
inline constexpr std::uint64_t IS_CONTROL_RELEASED = 0x648EE3E7F38877DD;
inline constexpr std::uint64_t GET_FRAME_TIME = 0x15C40837039FFAF7;
inline constexpr std::uint64_t GET_HASH_KEY = 0xD24D37CC275948CC;
inline constexpr std::uint64_t PLAYER_PED_ID = 0xD80958FC74E988A6;
inline constexpr std::uint64_t IS_PED_IN_ANY_VEHICLE = 0x997ABD671D25CA0B;
inline constexpr std::uint64_t IS_PED_IN_ANY_TRAIN = 0x6F972C1AB75A1ED0;
inline constexpr std::uint64_t GET_VEHICLE_PED_IS_USING = 0x6094AD011A2EA87D;
inline constexpr std::uint64_t GET_PED_NEARBY_VEHICLES = 0xCFF869CBFA210D82;
inline constexpr std::uint64_t GET_PED_IN_VEHICLE_SEAT = 0xBB40DD2270B65366;
inline constexpr std::uint64_t SET_PED_INTO_VEHICLE = 0xF75B0D629E1C063D;
inline constexpr std::uint64_t TASK_LEAVE_VEHICLE = 0xD3DBCE61A490BE02;
inline constexpr std::uint64_t TASK_LEAVE_ANY_VEHICLE = 0x504D54DF3F6F2247;
inline constexpr std::uint64_t TASK_SHUFFLE_TO_NEXT_VEHICLE_SEAT = 0x7AA80209BDA643EB;
inline constexpr std::uint64_t DOES_ENTITY_EXIST = 0x7239B21A38F536BA;
inline constexpr std::uint64_t IS_ENTITY_DEAD = 0x5F9532F3B5CC2551;
inline constexpr std::uint64_t GET_ENTITY_COORDS = 0x3FEF770D40960D5A;
inline constexpr std::uint64_t SET_ENTITY_COORDS = 0x06843DA7060A026B;
inline constexpr std::uint64_t GET_ENTITY_ROTATION = 0xAFBD61CC738D9EB9;
inline constexpr std::uint64_t SET_ENTITY_ROTATION = 0x8524A8B0171D5E07;
inline constexpr std::uint64_t GET_ENTITY_FORWARD_X = 0x8BB4EF4214E0E6D5;
inline constexpr std::uint64_t GET_ENTITY_FORWARD_Y = 0x866A4A5FAE349510;
inline constexpr std::uint64_t GET_ENTITY_FORWARD_VECTOR = 0x0A794A5A57F8DF91;
inline constexpr std::uint64_t GET_ENTITY_SPEED = 0xD5037BA82E12416F;
inline constexpr std::uint64_t GET_ENTITY_SPEED_VECTOR = 0x9A8D700A51CB7B0D;
inline constexpr std::uint64_t GET_ENTITY_MODEL = 0x9F47B058362C84B5;
inline constexpr std::uint64_t GET_ENTITY_HEIGHT_ABOVE_GROUND = 0x1DD55701034110E5;
inline constexpr std::uint64_t SET_ENTITY_DYNAMIC = 0x1718DE8E3F2823CA;
inline constexpr std::uint64_t SET_ENTITY_CAN_BE_DAMAGED = 0x1760FFA8AB074D66;
inline constexpr std::uint64_t SET_TRAIN_SPEED = 0xAA0BC91BE0B796E3;
inline constexpr std::uint64_t SET_TRAIN_CRUISE_SPEED = 0x16469284DB8C62B5;
inline constexpr std::uint64_t GET_TRAIN_CARRIAGE = 0x08AAFD0814722BC3;
inline constexpr std::uint64_t DELETE_ALL_TRAINS = 0x736A718577F39C7D;
inline constexpr std::uint64_t CREATE_VEHICLE = 0xAF35D0D2583051B0;
inline constexpr std::uint64_t DELETE_VEHICLE = 0xEA386986E786A54F;
inline constexpr std::uint64_t SET_VEHICLE_FORWARD_SPEED = 0xAB54A438726D25D5;
inline constexpr std::uint64_t SET_VEHICLE_CAN_BE_VISIBLY_DAMAGED = 0x4C7028F78FFD3681;
inline constexpr std::uint64_t GET_VEHICLE_DOOR_ANGLE_RATIO = 0xFE3F9C29F7B32BD5;
inline constexpr std::uint64_t SET_VEHICLE_DOOR_CONTROL = 0xF2BFA0430F0A0FCB;
inline constexpr std::uint64_t SET_VEHICLE_FULLBEAM = 0x8B7FD87F0DDB421E;
inline constexpr std::uint64_t START_VEHICLE_HORN = 0x9C8C6504B5B63D2C;
inline constexpr std::uint64_t SHAKE_GAMEPLAY_CAM = 0xFD55E49555E017CF;
inline constexpr std::uint64_t SET_GAMEPLAY_CAM_SHAKE_AMPLITUDE = 0xA87E00932DB4D85D;
inline constexpr std::uint64_t STOP_GAMEPLAY_CAM_SHAKING = 0x0EF93E9F3D08C178;
inline constexpr std::uint64_t ADD_EXPLOSION = 0xE3AD2BDBAEE269AC;

}  // namespace sim::native
