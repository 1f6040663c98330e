// The pictures of a known ride show what they claim: read back from the PNGs, pixel by
// pixel, at the places the pictures' own layouts give for the record's data.

#include <gtest/gtest.h>

#include <cairo.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "host/linux_entry.h"
#include "host_api/kelvane_sim_host.h"
#include "hud_sheet.h"
#include "ride_map.h"
#include "ride_pictures.h"
#include "ride_plot.h"
#include "scenario/ride_record_json.h"
#include "scenario/world_view.h"
#include "support/temp_folder.h"

namespace kelvane_sim {
namespace {

struct Pixel {
    int red = 0, green = 0, blue = 0;
};

int Difference(const Pixel& pixel, const int (&colour)[3]) {
    return std::abs(pixel.red - colour[0]) + std::abs(pixel.green - colour[1]) + std::abs(pixel.blue - colour[2]);
}

class Png {
public:
    explicit Png(const std::filesystem::path& file)
        : surface_(cairo_image_surface_create_from_png(file.string().c_str()), cairo_surface_destroy) {}
    bool Read() const { return cairo_surface_status(surface_.get()) == CAIRO_STATUS_SUCCESS; }
    int Width() const { return cairo_image_surface_get_width(surface_.get()); }
    int Height() const { return cairo_image_surface_get_height(surface_.get()); }
    Pixel At(int x, int y) const {
        if (x < 0 || y < 0 || x >= Width() || y >= Height()) return {-1000, -1000, -1000};
        const unsigned char* row = cairo_image_surface_get_data(surface_.get()) + y * cairo_image_surface_get_stride(surface_.get());
        const std::uint32_t argb = reinterpret_cast<const std::uint32_t*>(row)[x];
        return {static_cast<int>((argb >> 16) & 255), static_cast<int>((argb >> 8) & 255), static_cast<int>(argb & 255)};
    }
    // Whether a pixel within radius of (x, y) has about this colour.
    bool NearColour(double x, double y, const int (&colour)[3], int radius, int tolerance) const {
        for (int dy = -radius; dy <= radius; ++dy) {
            for (int dx = -radius; dx <= radius; ++dx) {
                if (Difference(At(static_cast<int>(x) + dx, static_cast<int>(y) + dy), colour) <= tolerance) return true;
            }
        }
        return false;
    }

private:
    std::unique_ptr<cairo_surface_t, void (*)(cairo_surface_t*)> surface_;
};

void KeepRecord(void* context, const char* json) { *static_cast<std::string*>(context) = json; }

// The picture test ride, played once for every test through the stand-in's host API as
// the tool plays it, and its pictures written.
class RidePictures : public testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = new kelvane_test::TempFolder();
        ASSERT_EQ(KsimLoadScenarioFile(PICTURE_RIDE, nullptr, nullptr), 0);
        kelvane::AttachPlugin();
        std::string json;
        KsimPlayOutputs outputs{};
        outputs.rideRecord = KeepRecord;
        outputs.context = &json;
        const int failures = KsimPlayScenario(&outputs);
        kelvane::DetachPlugin();
        ASSERT_EQ(failures, 0);
        record_ = new sim::RideRecord(nlohmann::json::parse(json).get<sim::RideRecord>());
        std::string error;
        ASSERT_TRUE(WriteRidePictures(json, folder_->Path(), error)) << error;
    }
    static void TearDownTestSuite() {
        delete record_;
        delete folder_;
        record_ = nullptr;
        folder_ = nullptr;
    }

    static const sim::RideRecord& Record() { return *record_; }
    static std::filesystem::path Picture(const char* name) { return folder_->Path() / name; }

private:
    static kelvane_test::TempFolder* folder_;
    static sim::RideRecord* record_;
};

kelvane_test::TempFolder* RidePictures::folder_ = nullptr;
sim::RideRecord* RidePictures::record_ = nullptr;

TEST_F(RidePictures, TheHudSheetHasAScreenForEachMoment) {
    const Png sheet(Picture("hud.png"));
    ASSERT_TRUE(sheet.Read());
    // Boarding, the speed text and the engineer's message at least.
    ASSERT_GE(Record().moments.size(), 3u);
    // A screen's frame has a top-left corner: frame colour to the right and below, none
    // to the left or above.
    int corners = 0;
    const auto frame = [&](int x, int y) { return Difference(sheet.At(x, y), HudTileFrame) == 0; };
    for (int y = 0; y < sheet.Height(); ++y) {
        for (int x = 0; x < sheet.Width(); ++x) {
            corners += frame(x, y) && frame(x + 1, y) && frame(x, y + 1) && !frame(x - 1, y) && !frame(x, y - 1) ? 1 : 0;
        }
    }
    EXPECT_EQ(corners, static_cast<int>(Record().moments.size()));
    const HudSheetLayout layout = LayOutHudSheet(Record().moments.size());
    EXPECT_EQ(sheet.Width(), layout.width);
    EXPECT_EQ(sheet.Height(), layout.height);
}

TEST_F(RidePictures, TheSpeedTextShowsOnTheScreensWhoseDrawListHasIt) {
    const Png sheet(Picture("hud.png"));
    ASSERT_TRUE(sheet.Read());
    const HudSheetLayout layout = LayOutHudSheet(Record().moments.size());
    std::optional<float> speedLine;
    for (const sim::HudMoment& moment : Record().moments) {
        for (const sim::DrawnText& text : moment.texts) {
            if (sim::DescribeText(text) == "speed text") speedLine = text.y;
        }
    }
    ASSERT_TRUE(speedLine) << "no moment shows the speed";
    int withSpeed = 0, withoutSpeed = 0;
    for (std::size_t i = 0; i < Record().moments.size(); ++i) {
        const sim::HudMoment& moment = Record().moments[i];
        const bool shown = std::any_of(moment.texts.begin(), moment.texts.end(),
                                       [](const sim::DrawnText& text) { return sim::DescribeText(text) == "speed text"; });
        // White text pixels in the band below the line's top, across the middle fifth.
        const HudTile& tile = layout.tiles[i];
        int white = 0;
        for (double y = *speedLine * HudScreenHeight; y < (*speedLine + 0.03) * HudScreenHeight; y += 1.0) {
            for (double x = 0.4 * HudScreenWidth; x < 0.6 * HudScreenWidth; x += 1.0) {
                const Pixel pixel = sheet.At(static_cast<int>(tile.left + x * tile.scale), static_cast<int>(tile.top + y * tile.scale));
                white += pixel.red >= 230 && pixel.green >= 230 && pixel.blue >= 230 ? 1 : 0;
            }
        }
        if (shown) {
            EXPECT_GT(white, 10) << "moment " << i << " at " << moment.time << " s: " << moment.caption;
            ++withSpeed;
        } else {
            EXPECT_EQ(white, 0) << "moment " << i << " at " << moment.time << " s: " << moment.caption;
            ++withoutSpeed;
        }
    }
    EXPECT_GT(withSpeed, 0);
    EXPECT_GT(withoutSpeed, 0);  // the boarding prompt comes before the speed
}

TEST_F(RidePictures, TheCommandedSpeedIsDrawnWhereItsDataSays) {
    std::vector<PlotPanel> panels;
    std::string error;
    const std::filesystem::path file = Picture("ride-again.png");
    ASSERT_TRUE(WriteRidePlot(Record(), file, error, &panels)) << error;
    const Png plot(file);
    ASSERT_TRUE(plot.Read());
    ASSERT_EQ(plot.Width(), RidePlotWidth);
    const auto speeds = std::find_if(panels.begin(), panels.end(), [](const PlotPanel& p) { return p.name == "speeds"; });
    ASSERT_NE(speeds, panels.end());
    const auto pixelX = [&](double t) {
        return speeds->left + (t - speeds->xMin) / (speeds->xMax - speeds->xMin) * (speeds->right - speeds->left);
    };
    const auto pixelY = [&](double v) {
        return speeds->bottom - (v - speeds->yMin) / (speeds->yMax - speeds->yMin) * (speeds->bottom - speeds->top);
    };

    std::vector<std::pair<double, double>> commanded;
    for (const sim::RideFrame& frame : Record().frames) {
        for (const sim::RideTrainSample& train : frame.trains) {
            if (train.commanded) commanded.emplace_back(frame.time, *train.commanded);
        }
    }
    ASSERT_GT(commanded.size(), 20u);
    int checked = 0;
    for (std::size_t i = commanded.size() / 10; i < commanded.size(); i += commanded.size() / 6) {
        const auto [time, speed] = commanded[i];
        const double x = pixelX(time), y = pixelY(speed);
        EXPECT_TRUE(plot.NearColour(x, y, CommandedSpeedColour, 2, 60)) << time << " s, " << speed << " m/s at " << x << ", " << y;
        // Well away from the line there is none of its colour.
        const double away = y - 40.0 > speeds->top ? y - 40.0 : y + 40.0;
        EXPECT_FALSE(plot.NearColour(x, away, CommandedSpeedColour, 2, 60)) << time << " s at " << x << ", " << away;
        ++checked;
    }
    EXPECT_GE(checked, 5);
}

TEST_F(RidePictures, TheMapShowsTheTrackWhereItLies) {
    const Png map(Picture("map.png"));
    ASSERT_TRUE(map.Read());
    const MapLayout layout = LayOutMap(Record());
    ASSERT_EQ(map.Height(), layout.height);
    const auto siding = std::find_if(Record().tracks.begin(), Record().tracks.end(),
                                     [](const sim::RideTrack& track) { return track.name == "siding"; });
    ASSERT_NE(siding, Record().tracks.end());
    int checked = 0;
    for (const sim::MapPoint& point : siding->points) {
        if (!layout.whole.Shows(point) || !layout.whole.Shows({point.x - 10.0, point.y}) ||
            !layout.whole.Shows({point.x + 10.0, point.y})) {
            continue;
        }
        const double x = layout.whole.PixelX(point.x), y = layout.whole.PixelY(point.y);
        EXPECT_TRUE(map.NearColour(x, y, MapTrackColour, 0, 6)) << point.x << ", " << point.y;
        EXPECT_FALSE(map.NearColour(x, y - 12.0, MapTrackColour, 1, 30)) << point.x << ", " << point.y;
        ++checked;
    }
    EXPECT_GT(checked, 10);
}

}  // namespace
}  // namespace kelvane_sim
