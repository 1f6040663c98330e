// Trains that the game deletes and spawns again, as in a long session: the world keeps
// no trace of the deleted ones.

#include <gtest/gtest.h>

#include "hook/hook.h"
#include "host/natives.h"
#include "world/simulation.h"

namespace sim {
namespace {

TrainSpec Freight(const std::string& name, double distance) {
    TrainSpec definition;
    definition.name = name;
    definition.distance = distance;
    definition.cars = {{FreightLocomotiveModel, false}, {ModelFromName("freightcar"), false}};
    definition.cruiseSpeed = 5.0;
    return definition;
}

TEST(TrainRespawn, ATrainSpawnedAfterADeletionTakesTheFreeSlotAndRunsAsAnyOther) {
    Simulation simulation;
    World& world = simulation.world();
    world.AddTrack(Track("line", {{0, 0, 0}, {1000, 0, 0}}, false));
    world.AddTrain(Freight("first", 100.0));
    world.AddTrain(Freight("second", 300.0));
    for (int round = 0; round < 50; ++round) {
        world.DeleteAllTrains();
        world.AddTrain(Freight("first", 100.0));
        world.AddTrain(Freight("second", 300.0));
    }
    EXPECT_EQ(world.Trains().size(), 2u);

    const Handle lead = world.FindTrainCar("second", 0);
    ASSERT_NE(lead, 0);
    EXPECT_EQ(kelvane::GET_TRAIN_CARRIAGE(lead, 1), world.FindTrainCar("second", 1));
    EXPECT_NEAR(world.FindVehicle(lead)->position.x, 300.0, 1e-9);
    simulation.RunFrames(120, 1.0f / 60.0f);
    EXPECT_GT(world.FindVehicle(lead)->position.x, 300.0) << "the game's train control moves it";
    EXPECT_EQ(world.TrainOf(lead)->name, "second");
    hook::Reset();
}

}  // namespace
}  // namespace sim
