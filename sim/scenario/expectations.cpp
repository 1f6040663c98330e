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

// Why a value lies outside the optional bounds, or nothing.
std::optional<std::string> OutOfRange(const char* what, double value, const std::optional<double>& low,
                                      const std::optional<double>& high) {
    if ((!low || value >= *low) && (!high || value <= *high)) return std::nullopt;
    char text[160];
    std::snprintf(text, sizeof text, "%s is %.3f, outside %.3f..%.3f", what, value, low.value_or(-1e9), high.value_or(1e9));
    return std::string(text);
}

std::optional<std::string> BarMismatch(const Expectation& e, const World& world) {
    const std::vector<ScreenBar> bars = BarsOnScreen(world.Frame());
    if (e.noBarAt) {
        for (const ScreenBar& bar : bars) {
            if (bar.y == *e.noBarAt) return "a " + DescribeBar(bar) + " is drawn";
        }
    }
    if (!e.barAt) return std::nullopt;
    std::optional<std::string> why = "no bar drawn on that line";
    for (const ScreenBar& bar : bars) {
        if (bar.y != *e.barAt) continue;
        if (e.barColour && bar.red != (*e.barColour == "red")) {
            why = "the " + DescribeBar(bar) + " is not " + *e.barColour;
            continue;
        }
        why = OutOfRange(("the " + DescribeBar(bar) + "'s fill").c_str(), bar.fill, e.barFillMin, e.barFillMax);
        if (!why) return std::nullopt;
    }
    return why;
}

std::optional<std::string> TrainMismatch(const Expectation& e, const World& world) {
    const Train* train = FindTrain(world, *e.train);
    if (train == nullptr || train->cars.empty()) return "no train " + Quoted(*e.train) + " runs";
    const bool slow = e.speedMin && train->speed < *e.speedMin;
    const bool fast = e.speedMax && train->speed > *e.speedMax;
    if (slow || fast) {
        char text[160];
        std::snprintf(text, sizeof text, "%s runs at %.2f m/s, outside %.2f..%.2f", e.train->c_str(), train->speed,
                      e.speedMin.value_or(-1e9), e.speedMax.value_or(1e9));
        return std::string(text);
    }
    if (e.cruiseMin || e.cruiseMax) {
        const double cruise = train->cruiseSpeed;
        if (auto why = OutOfRange((*e.train + "'s cruise speed").c_str(), cruise, e.cruiseMin, e.cruiseMax)) return why;
    }
    if (e.playerDistanceMin || e.playerDistanceMax) {
        const double distance = PlayerDistanceTo(world, *train).value_or(-1.0);
        const std::string what = "the player's distance to " + *e.train;
        if (auto why = OutOfRange(what.c_str(), distance, e.playerDistanceMin, e.playerDistanceMax)) return why;
    }
    const Vehicle* lead = world.FindVehicle(train->cars.front());
    if (e.fullBeam && lead->fullBeam != *e.fullBeam) {
        return *e.train + (lead->fullBeam ? "'s full beam is on" : "'s full beam is off");
    }
    if (e.doorMin || e.doorMax) {
        const Vehicle* car = world.FindVehicle(world.FindTrainCar(*e.train, e.car));
        if (car == nullptr || e.door < 0 || e.door >= DoorCount) return "no such car or door of " + *e.train;
        const std::string what = *e.train + " car " + std::to_string(e.car) + " door " + std::to_string(e.door);
        if (auto why = OutOfRange(what.c_str(), car->doors[e.door], e.doorMin, e.doorMax)) return why;
    }
    return std::nullopt;
}

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
    if (e.textAbsent) {
        for (const DrawnText& t : texts) {
            if (t.text.find(*e.textAbsent) != std::string::npos) return "text " + Quoted(t.text) + " drawn";
        }
    }
    if (e.vehicleCount && static_cast<int>(world.Vehicles().size()) != *e.vehicleCount) {
        return std::to_string(world.Vehicles().size()) + " vehicles, not " + std::to_string(*e.vehicleCount);
    }
    if (e.train) {
        if (auto why = TrainMismatch(e, world)) return why;
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
    if (auto why = BarMismatch(e, world)) return why;
    if (e.horn && world.Frame().horns.empty() == *e.horn) return *e.horn ? "no horn sounds" : "a horn sounds";
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
