#pragma once
// Points around a train, from its position t and forward direction f = (fx, fy): the
// point t + a·f + b·r, with r = (fy, -fx) the right-hand direction.

namespace kelvane {

struct PlanePoint {
    float x = 0.0f;
    float y = 0.0f;
};

inline PlanePoint AlongTrain(float tx, float ty, float fx, float fy, float ahead, float right) {
    return {tx + ahead * fx + right * fy, ty + ahead * fy - right * fx};
}

// Where a player stands to enter or leave by the cab door: the freight locomotive's right
// door, or the door inside the tram.
inline PlanePoint CabDoor(bool freight, float tx, float ty, float fx, float fy) {
    return freight ? AlongTrain(tx, ty, fx, fy, 3.7f, 1.4f) : AlongTrain(tx, ty, fx, fy, 3.5f, 0.0f);
}

}  // namespace kelvane
