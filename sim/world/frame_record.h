#pragma once
// What the game shows and does in one frame, beyond the state of its entities.

#include <string>
#include <vector>

#include "world/geometry.h"

namespace sim {

struct TextStyle {
    int font = 0;
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    int colour[4] = {255, 255, 255, 255};
    float wrapStart = 0.0f;
    float wrapEnd = 1.0f;
    bool centre = false;
    int dropShadow[5] = {0, 0, 0, 0, 0};
    int edge[5] = {0, 0, 0, 0, 0};
    std::string entry;
    std::string text;  // the components added since the entry
};

struct DrawnText {
    std::string text;
    float x = 0.0f;
    float y = 0.0f;
    TextStyle style;
};

struct DrawnRect {
    float x = 0.0f, y = 0.0f, width = 0.0f, height = 0.0f;
    int colour[4] = {0, 0, 0, 0};
};

struct Explosion {
    Vec3 position;
    int type = 0;
    float damageScale = 0.0f;
    bool audible = false;
    bool invisible = false;
    float cameraShake = 0.0f;
};

struct Horn {
    int vehicle = 0;
    int duration = 0;
    unsigned mode = 0;
    bool forever = false;
};

struct CameraShake {
    bool active = false;
    std::string name;
    float amplitude = 0.0f;
};

struct FrameRecord {
    std::vector<DrawnText> texts;
    std::vector<DrawnRect> rects;
    std::vector<Explosion> explosions;
    std::vector<Horn> horns;
    int trainsDeleted = 0;     // DELETE_ALL_TRAINS calls
    int vehiclesCreated = 0;   // CREATE_VEHICLE calls

    void Clear() {
        texts.clear();
        rects.clear();
        explosions.clear();
        horns.clear();
        trainsDeleted = 0;
        vehiclesCreated = 0;
    }
};

}  // namespace sim
