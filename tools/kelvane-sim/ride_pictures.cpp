#include "ride_pictures.h"

#include <nlohmann/json.hpp>

#include "hud_sheet.h"
#include "ride_map.h"
#include "ride_plot.h"
#include "scenario/ride_record_json.h"

namespace kelvane_sim {

bool RidePicturesAvailable() { return true; }

bool WriteRidePictures(const std::string& rideRecordJson, const std::filesystem::path& folder, std::string& error) {
    sim::RideRecord record;
    try {
        record = nlohmann::json::parse(rideRecordJson).get<sim::RideRecord>();
    } catch (const std::exception& failure) {
        error = std::string("cannot read the ride record: ") + failure.what();
        return false;
    }
    return WriteHudSheet(record, folder / "hud.png", error) && WriteRidePlot(record, folder / "ride.png", error) &&
           WriteRideMap(record, folder / "map.png", error);
}

}  // namespace kelvane_sim
