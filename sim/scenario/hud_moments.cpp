#include "scenario/hud_moments.h"

#include <cmath>
#include <cstdio>

#include "scenario/world_view.h"

namespace sim {

namespace {

// A gauge whose fill moves less than this has not moved.
constexpr double SmallestMove = 0.02;

std::string Percent(double fill) {
    char text[16];
    std::snprintf(text, sizeof text, "%.0f %%", fill * 100.0);
    return text;
}

}  // namespace

void HudMomentPicker::Observe(const std::string& name, bool gauge, double value, const Shot& shot) {
    auto [it, added] = elements_.try_emplace(name);
    Element& element = it->second;
    if (added) {
        element.gauge = gauge;
        element.first = value;
        element.appeared = shot;
        order_.push_back(name);
        if (gauge) gaugesShown_.push_back(name);
        return;
    }
    if (!element.half) {
        const bool crossed = gauge ? (element.first < 0.5 ? value >= 0.5 : value <= 0.5)
                                   : element.first > 0.0 && value <= element.first / 2.0;
        if (crossed) element.half = shot;
    }
    if (gauge && std::fabs(value - element.first) > element.farthest + SmallestMove / 2.0) {
        element.farthest = std::fabs(value - element.first);
        element.farthestShot = shot;
        element.farthestValue = value;
    }
}

void HudMomentPicker::Frame(std::uint64_t frameNumber, double time, const FrameRecord& frame) {
    if (frame.texts.empty() && frame.rects.empty()) return;
    Shot shot{frameNumber, {time, "", frame.texts, frame.rects}};
    for (const DrawnText& text : frame.texts) Observe(DescribeText(text), false, text.style.colour[3], shot);
    for (const ScreenBar& bar : BarsOnScreen(frame)) Observe(DescribeBar(bar), true, bar.fill, shot);
}

std::vector<HudMoment> HudMomentPicker::Moments() const {
    std::map<std::uint64_t, HudMoment> byFrame;
    const auto take = [&](const Shot& shot, const std::string& caption) {
        auto [it, added] = byFrame.try_emplace(shot.frame, shot.screen);
        if (!added) it->second.caption += "; ";
        it->second.caption += caption;
    };
    for (const std::string& name : order_) {
        const Element& element = elements_.at(name);
        if (!element.gauge) {
            take(element.appeared, name + " appears");
            if (element.half) take(*element.half, name + " half faded");
        } else if (element.half) {
            take(*element.half, name + (element.first < 0.5 ? " half full" : " half empty"));
        } else if (element.farthestShot && element.farthest >= SmallestMove) {
            const bool rose = element.farthestValue > element.first;
            take(*element.farthestShot,
                 name + (rose ? " at its fullest, " : " at its emptiest, ") + Percent(element.farthestValue));
        } else {
            take(element.appeared, name + " appears");
        }
    }
    std::vector<HudMoment> moments;
    for (auto& [frame, moment] : byFrame) moments.push_back(std::move(moment));
    return moments;
}

}  // namespace sim
