#pragma once
// What the derailment risk moves towards while the derailment key is not held: the turn
// rate against the sensitivity, scaled up at speed. Apart from the game, so that
// kelvane-sim can say which curves a train takes at which speed.

namespace kelvane {

// The risk target for a train turning at turnRate rad/s at the signed speed, with
// derailment sensitivity D and forward top speed topSpeed: 0 when D <= 0; otherwise
// f x c with the speed factor f = max(1, 2|speed| / topSpeed) and the curvature term
// c = turnRate / ((1 - D) pi), or 999999 when D >= 1. Always finite.
float DerailmentTarget(float turnRate, float speed, float sensitivity, float topSpeed);

// The speed factor f of DerailmentTarget: 1 for a train with no top speed.
float DerailmentSpeedFactor(float speed, float topSpeed);

// The turn rate, rad/s, at which the target reaches 1 for 0 < D < 1: (1 - D) pi / f.
// Turning faster starts a derailment.
float DerailingTurnRate(float speed, float sensitivity, float topSpeed);

}  // namespace kelvane
