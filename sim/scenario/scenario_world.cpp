#include <stdexcept>

#include "scenario/scenario.h"

namespace sim {

TrainSpec PlacedTrain(const Scenario& scenario, const ScenarioTrain& train) {
    TrainSpec definition = train.train;
    definition.track = -1;
    for (std::size_t i = 0; i < scenario.tracks.size(); ++i) {
        if (scenario.tracks[i].name == train.trackName) definition.track = static_cast<int>(i);
    }
    if (definition.track < 0) throw std::runtime_error("train '" + definition.name + "': no track named '" + train.trackName + "'");
    return definition;
}

void BuildWorld(const Scenario& scenario, World& world) {
    world.SetGroundHeight(scenario.groundHeight);
    for (const TrackSpec& track : scenario.tracks) world.AddTrack(Track(track.name, track.points, track.loop));
    for (const ScenarioTrain& train : scenario.trains) world.AddTrain(PlacedTrain(scenario, train));
    for (const WallSpec& wall : scenario.walls) world.AddWall(wall.from, wall.to);
    world.PlacePed(world.PlayerPed(), scenario.playerPosition, scenario.playerHeading);
}

}  // namespace sim
