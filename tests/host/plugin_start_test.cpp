// The plug-in started as the game starts it: the entry registers the script main with
// the stand-in hook, whose first slice runs the start-up before the first frame ends.

#include <gtest/gtest.h>

#include <filesystem>

#include "config/default_config_writer.h"
#include "config/settings.h"
#include "hook/hook.h"
#include "host/linux_entry.h"
#include "host/plugin_entry.h"
#include "support/default_settings.h"
#include "support/temp_folder.h"
#include "world/simulation.h"

namespace kelvane {
namespace {

using kelvane_test::DefaultSettings;
using kelvane_test::ReadFile;
using kelvane_test::TempFolder;
using kelvane_test::WriteFile;

class PluginStart : public testing::Test {
protected:
    void SetUp() override { settings = Settings{}; }
    void TearDown() override { DetachPlugin(); }

    TempFolder folder;
    sim::Simulation simulation;
};

TEST_F(PluginStart, FirstStartWritesTheDefaultFileAndLoadsItBeforeTheFirstFrameEnds) {
    const Settings defaults = DefaultSettings();
    AttachPlugin();
    EXPECT_FALSE(std::filesystem::exists(ConfigFileName)) << "nothing runs before the hook's first frame";

    simulation.RunFrames(1, 1.0f / 60.0f);
    ASSERT_TRUE(std::filesystem::exists(ConfigFileName));
    EXPECT_EQ(ReadFile(ConfigFileName), DefaultConfigText());
    EXPECT_TRUE(settings == defaults);
}

TEST_F(PluginStart, AnExistingFileIsReadNotWritten) {
    const std::string file = "Train.SpeedForward = 33\nDisplays.Position = 1\n";
    WriteFile(ConfigFileName, file);
    AttachPlugin();
    simulation.RunFrames(1, 1.0f / 60.0f);

    EXPECT_EQ(ReadFile(ConfigFileName), file);
    EXPECT_EQ(settings.SpeedForward[Freight], 33.0f);
    EXPECT_EQ(settings.Displays.Position, 1);
    EXPECT_FALSE(settings.Display.Speed) << "a key missing from an existing file stays zero";
    EXPECT_EQ(settings.EngineerTopSpeed, 60.0f);
}

TEST_F(PluginStart, StartUpRunsOnceNotEveryFrame) {
    AttachPlugin();
    simulation.RunFrames(1, 1.0f / 60.0f);
    // A later edit shows only at the next boarding, not on its own.
    WriteFile(ConfigFileName, "Train.SpeedForward = 12\n");
    simulation.RunFrames(10, 1.0f / 60.0f);
    EXPECT_EQ(settings.SpeedForward[Freight], 40.0f);
}

TEST_F(PluginStart, EntryRegistersOnAttachAndUnregistersOnDetach) {
    int module = 0;
    EXPECT_EQ(HandleModuleEvent(&module, ProcessAttach), 1);
    EXPECT_EQ(sim::hook::RegisteredScriptCount(), 1);
    for (std::uint32_t threadEvent : {ThreadAttach, ThreadDetach}) {
        EXPECT_EQ(HandleModuleEvent(&module, threadEvent), 1);
        EXPECT_EQ(sim::hook::RegisteredScriptCount(), 1) << "thread notifications leave the script alone";
    }
    EXPECT_EQ(HandleModuleEvent(&module, ProcessDetach), 1);
    EXPECT_EQ(sim::hook::RegisteredScriptCount(), 0);
}

TEST_F(PluginStart, DetachStopsTheScript) {
    AttachPlugin();
    simulation.RunFrames(1, 1.0f / 60.0f);
    DetachPlugin();
    std::filesystem::remove(ConfigFileName);
    simulation.RunFrames(5, 1.0f / 60.0f);
    EXPECT_EQ(sim::hook::RegisteredScriptCount(), 0);
    EXPECT_FALSE(std::filesystem::exists(ConfigFileName));
}

}  // namespace
}  // namespace kelvane
