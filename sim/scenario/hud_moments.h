#pragma once
// Picks the frames of a run whose screen is worth a picture: for each text the frame it
// first appears and, if it fades, the frame it is half faded; for each gauge the frame
// its fill first gets half way across (or, if it never does, its farthest from where it
// started). Frames picked for several reasons become one moment. Keeps only candidate
// frames, so memory stays small however long the run.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "scenario/ride_record.h"
#include "world/frame_record.h"

namespace sim {

class HudMomentPicker {
public:
    void Frame(std::uint64_t frameNumber, double time, const FrameRecord& frame);

    // The moments in the order of the run.
    std::vector<HudMoment> Moments() const;
    // The gauges seen, by name, in the order they first showed.
    const std::vector<std::string>& GaugesShown() const { return gaugesShown_; }

private:
    struct Shot {
        std::uint64_t frame = 0;
        HudMoment screen;
    };
    struct Element {
        bool gauge = false;
        double first = 0.0;  // a gauge's first fill, a text's first alpha
        Shot appeared;
        std::optional<Shot> half;  // half way across, or half faded
        double farthest = 0.0;     // a gauge's largest move from its first fill
        std::optional<Shot> farthestShot;
        double farthestValue = 0.0;
    };
    void Observe(const std::string& name, bool gauge, double value, const Shot& shot);

    std::map<std::string, Element> elements_;
    std::vector<std::string> order_;
    std::vector<std::string> gaugesShown_;
};

}  // namespace sim
