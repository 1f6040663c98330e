// The parts of kelvane-sim soak that judge a run: they must catch what they look for,
// or a soak that passes proves nothing.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>

#include "hook/hook.h"
#include "script_hook.h"
#include "soak/crash_walls.h"
#include "soak/ini_watch.h"
#include "soak/soak_checks.h"
#include "soak/unwritable_folder.h"
#include "support/temp_folder.h"
#include "world/native_hashes.h"
#include "world/simulation.h"

namespace kelvane_sim {
namespace {

namespace fs = std::filesystem;
using kelvane_test::TempFolder;
using kelvane_test::WriteFile;

class IniWatchTest : public testing::Test {
protected:
    fs::path Ini() const { return folder.Path() / "Kelvane.ini"; }
    void Append(const std::string& text) { std::ofstream(Ini(), std::ios::app | std::ios::binary) << text; }

    TempFolder folder;
};

TEST_F(IniWatchTest, AcceptsFilesCreatedWhereNoneWasWhenTheyMatchTheFirst) {
    IniWatch watch(Ini());
    EXPECT_EQ(watch.Check(), std::nullopt) << "nothing there, nothing changed";
    WriteFile(Ini(), "default\n");
    EXPECT_EQ(watch.Check(), std::nullopt);
    EXPECT_EQ(watch.Check(), std::nullopt);
    fs::remove(Ini());
    watch.Accept();
    WriteFile(Ini(), "default\n");
    EXPECT_EQ(watch.Check(), std::nullopt);
    EXPECT_EQ(watch.FilesCreated(), 2);

    fs::remove(Ini());
    watch.Accept();
    WriteFile(Ini(), "another default\n");
    EXPECT_NE(watch.Check(), std::nullopt) << "the plug-in has one default file";
}

TEST_F(IniWatchTest, CatchesAWriteToAnExistingFileEvenOfNoBytes) {
    WriteFile(Ini(), "Train.SpeedForward = 12\n");
    IniWatch watch(Ini());
    Append("; more\n");
    EXPECT_NE(watch.Check(), std::nullopt);

    watch.Accept();
    // Rewritten with its own bytes: a new file in its place.
    fs::remove(Ini());
    WriteFile(Ini(), "Train.SpeedForward = 12\n; more\n");
    EXPECT_NE(watch.Check(), std::nullopt);
}

TEST_F(IniWatchTest, CatchesARemovalAndAcceptsWhatTheSoakDidItself) {
    WriteFile(Ini(), "x\n");
    IniWatch watch(Ini());
    fs::remove(Ini());
    EXPECT_NE(watch.Check(), std::nullopt);

    WriteFile(Ini(), "garbage\n");
    watch.Accept();
    EXPECT_EQ(watch.Check(), std::nullopt);
    EXPECT_EQ(watch.FilesCreated(), 0);
}

TEST(UnwritableFolder, NoFileCanBeCreatedOrFoundInsideEvenByRoot) {
    TempFolder folder;
    WriteFile("Kelvane.ini", "Train.SpeedForward = 12\n");
    UnwritableFolder unwritable(folder.Path());
    ASSERT_TRUE(unwritable.Enter());
    EXPECT_FALSE(std::ifstream("Kelvane.ini").is_open()) << "the game folder's file is out of sight";
    std::ofstream created("Other.ini");
    EXPECT_FALSE(created.is_open());
    unwritable.Leave();
    EXPECT_EQ(fs::current_path(), folder.Path());
    EXPECT_FALSE(fs::exists("Other.ini"));
    EXPECT_TRUE(std::ofstream("Other.ini").is_open()) << "writable again";
}

class Checks : public testing::Test {
protected:
    void TearDown() override { sim::hook::Reset(); }

    sim::Simulation simulation;
    TempFolder folder;
    IniWatch ini{folder.Path() / "Kelvane.ini"};
    SoakChecks checks{simulation.world(), ini};
};

TEST_F(Checks, AllowTwentyWrecksAndTheCabsOwnVehicleButNoMore) {
    for (int i = 0; i < MostVehiclesOfThePlugin; ++i) simulation.world().CreateVehicle(0x1234u, {0, 10.0 * i, 0.5}, 0);
    EXPECT_EQ(checks.AfterFrame(), std::nullopt);
    simulation.world().CreateVehicle(0x1234u, {0, -10.0, 0.5}, 0);
    EXPECT_NE(checks.AfterFrame(), std::nullopt);
    EXPECT_EQ(checks.MostVehiclesSeen(), MostVehiclesOfThePlugin + 1);
}

TEST_F(Checks, CatchANaNHandedToANative) {
    EXPECT_EQ(checks.AfterFrame(), std::nullopt);
    nativeInit(sim::native::SET_TRAIN_SPEED);
    nativePush64(1);
    nativePush64(std::bit_cast<std::uint32_t>(std::numeric_limits<float>::quiet_NaN()));
    nativeCall();
    const std::optional<std::string> failure = checks.AfterFrame();
    ASSERT_NE(failure, std::nullopt);
    EXPECT_NE(failure->find("0xAA0BC91BE0B796E3"), std::string::npos) << *failure;
}

TEST_F(Checks, CatchANativeTheGameDoesNotKnow) {
    nativeInit(0x1234);
    nativeCall();
    EXPECT_NE(checks.AfterFrame(), std::nullopt);
}

TEST(CrashWalls, StopAWreckSlidingAlongTheTrackWithinFifteenMetres) {
    sim::Simulation simulation;
    sim::World& world = simulation.world();
    world.AddTrack(sim::Track("line", {{0, 0, 0}, {1000, 0, 0}}, false));
    AddCrashWalls(world);
    // Heading 270 faces +x; 20 m/s would slide 33 m on the ground.
    const sim::Handle wreck = world.CreateVehicle(0x1234u, {500.0, 0.0, 0.5}, 270.0);
    world.SetForwardSpeed(wreck, 20.0);
    simulation.RunFrames(120, 1.0f / 60.0f);
    const sim::Vehicle& stopped = *world.FindVehicle(wreck);
    EXPECT_GT(stopped.position.x, 500.0);
    EXPECT_LT(stopped.position.x, 515.0);
    EXPECT_EQ(stopped.velocity.x, 0.0);
    sim::hook::Reset();
}

}  // namespace
}  // namespace kelvane_sim
