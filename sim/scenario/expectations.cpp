#include "scenario/expectations.h"

#include <algorithm>
#include <cstdio>

#include "scenario/world_view.h"

namespace sim {

namespace {

std::string Seconds(double t) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", t);
    return text;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

std::string DescribeWhen(const Expectation& expectation) {
    char text[64];
    switch (expectation.when) {
        case Expectation::When::At: std::snprintf(text, sizeof text, "at %.2f s", expectation.from); break;
        case Expectation::When::Within:
            std::snprintf(text, sizeof text, "within %.2f-%.2f s", expectation.from, expectation.to);
            break;
        case Expectation::When::During:
            std::snprintf(text, sizeof text, "during %.2f-%.2f s", expectation.from, expectation.to);
            break;
    }
    return text;
}

std::optional<std::string> Mismatch(const Expectation& e, const World& world) {
    const Ped* player = world.FindPed(world.PlayerPed());
    if (e.playerVehicle && !PlayerIsIn(world, *e.playerVehicle)) {
        return "player is " + DescribePlayerPlace(world) + ", not in " + *e.playerVehicle;
    }
    if (e.playerSeat && (player == nullptr || player->vehicle == 0 || player->seat != *e.playerSeat)) {
        return "player is " + DescribePlayerPlace(world) + ", not in seat " + std::to_string(*e.playerSeat);
    }
    if (e.playerDead && (player != nullptr && player->dead) != *e.playerDead) {
        return *e.playerDead ? "player is alive" : "player is dead";
    }
    const auto& texts = world.Frame().texts;
    if (e.text && std::none_of(texts.begin(), texts.end(), [&](const DrawnText& t) { return t.text == *e.text; })) {
        return "no text " + Quoted(*e.text) + " drawn";
    }
    if (e.textContains && std::none_of(texts.begin(), texts.end(), [&](const DrawnText& t) {
            return t.text.find(*e.textContains) != std::string::npos;
        })) {
        return "no text containing " + Quoted(*e.textContains) + " drawn";
    }
    if (e.noText && *e.noText && !texts.empty()) return "text " + Quoted(texts.front().text) + " drawn";
    if (e.vehicleCount && static_cast<int>(world.Vehicles().size()) != *e.vehicleCount) {
        return std::to_string(world.Vehicles().size()) + " vehicles, not " + std::to_string(*e.vehicleCount);
    }
    if (e.train && (e.speedMin || e.speedMax)) {
        const Train* train = FindTrain(world, *e.train);
        if (train == nullptr) return "no train " + Quoted(*e.train) + " runs";
        const bool low = e.speedMin && train->speed < *e.speedMin;
        const bool high = e.speedMax && train->speed > *e.speedMax;
        if (low || high) {
            char text[160];
            std::snprintf(text, sizeof text, "%s runs at %.2f m/s, outside %.2f..%.2f", e.train->c_str(), train->speed,
                          e.speedMin.value_or(-1e9), e.speedMax.value_or(1e9));
            return std::string(text);
        }
    }
    if (e.derailed && (world.Derailments() > 0) != *e.derailed) {
        return *e.derailed ? "no derailment yet" : "a train has derailed";
    }
    if (e.explosionsMin && world.ExplosionsSoFar() < *e.explosionsMin) {
        return std::to_string(world.ExplosionsSoFar()) + " explosions so far, fewer than " +
               std::to_string(*e.explosionsMin);
    }
    if (e.explosionsMax && world.ExplosionsSoFar() > *e.explosionsMax) {
        return std::to_string(world.ExplosionsSoFar()) + " explosions so far, more than " +
               std::to_string(*e.explosionsMax);
    }
    if (e.cameraShake && world.Camera().active != *e.cameraShake) {
        return world.Camera().active ? "the camera shakes" : "the camera does not shake";
    }
    return std::nullopt;
}

void ExpectationCheck::ObserveFrame(double frameStart, const World& world) {
    if (decided_) return;
    const Expectation& e = expectation_;
    if (frameStart < e.from) return;
    if (e.when == Expectation::When::At) {
        const auto mismatch = Mismatch(e, world);
        decided_ = true;
        met_ = !mismatch;
        detail_ = mismatch ? *mismatch + " at " + Seconds(frameStart) : "held at " + Seconds(frameStart);
        return;
    }
    if (frameStart > e.to) return;
    sawWindow_ = true;
    const auto mismatch = Mismatch(e, world);
    if (e.when == Expectation::When::Within) {
        if (!mismatch) {
            decided_ = met_ = true;
            detail_ = "held at " + Seconds(frameStart);
        } else {
            detail_ = "last seen at " + Seconds(frameStart) + ": " + *mismatch;
        }
    } else if (mismatch) {
        decided_ = true;
        met_ = false;
        detail_ = *mismatch + " at " + Seconds(frameStart);
    }
}

ExpectationResult ExpectationCheck::Finish(double endTime) const {
    ExpectationResult result{expectation_.name, met_, detail_};
    if (decided_) return result;
    if (!sawWindow_) {
        result.met = false;
        result.detail = "the run ended at " + Seconds(endTime) + ", before " + DescribeWhen(expectation_);
    } else if (expectation_.when == Expectation::When::During) {
        result.met = true;
        result.detail = "held in every frame of the window";
    } else {
        result.met = false;
        result.detail = "never held; " + detail_;
    }
    return result;
}

}  // namespace sim
