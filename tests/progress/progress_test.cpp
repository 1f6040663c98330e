// Progress of long runs: which kind a run gets, and what each kind writes.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "progress.h"

namespace kelvane_sim {
namespace {

// What a Progress wrote, read back from a temporary file.
class Written {
public:
    Written() : file_(std::tmpfile()) {}
    ~Written() { std::fclose(file_); }
    std::FILE* File() const { return file_; }
    std::string Text() const {
        std::fflush(file_);
        std::rewind(file_);
        std::string text;
        for (int c; (c = std::fgetc(file_)) != EOF;) text += static_cast<char>(c);
        return text;
    }

private:
    std::FILE* file_;
};

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

struct StyleCase {
    const char* name;
    ProgressStyle asked;
    bool errorIsTerminal;
    bool traceOnStandardOutput;
    ProgressStyle expected;
};

class ProgressStyles : public testing::TestWithParam<StyleCase> {};

TEST_P(ProgressStyles, FollowWhereStandardErrorGoes) {
    const StyleCase& c = GetParam();
    EXPECT_EQ(ResolveProgressStyle(c.asked, c.errorIsTerminal, c.traceOnStandardOutput), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgressStyles,
    testing::Values(
        StyleCase{"TerminalGetsABar", ProgressStyle::Automatic, true, false, ProgressStyle::Bar},
        StyleCase{"TerminalGetsABarBesideATraceOnStandardOutput", ProgressStyle::Automatic, true, true, ProgressStyle::Bar},
        StyleCase{"FileOrPipeGetsLines", ProgressStyle::Automatic, false, false, ProgressStyle::Lines},
        StyleCase{"NothingBesideATracePipe", ProgressStyle::Automatic, false, true, ProgressStyle::None},
        StyleCase{"LinesWhenAsked", ProgressStyle::Lines, true, true, ProgressStyle::Lines},
        StyleCase{"NoneWhenAsked", ProgressStyle::None, true, false, ProgressStyle::None}),
    [](const testing::TestParamInfo<StyleCase>& info) { return std::string(info.param.name); });

TEST(ProgressLines, OneLineForEachTenthOfTheRun) {
    Written out;
    {
        Progress progress(out.File(), ProgressStyle::Lines, "ride");
        for (int frame = 0; frame <= 6000; ++frame) progress.Update(frame / 60.0, 100.0);
        progress.Update(100.0, 100.0);  // the end told again adds nothing
    }
    const std::string text = out.Text();
    EXPECT_EQ(Count(text, "\n"), 10u) << text;
    EXPECT_EQ(text.rfind("kelvane-sim: ride: 10 % (10.0 of 100.0 s of game time)\n", 0), 0u) << text;
    EXPECT_NE(text.find("kelvane-sim: ride: 100 % (100.0 of 100.0 s of game time)\n"), std::string::npos) << text;
    EXPECT_EQ(text.find('\r'), std::string::npos);
}

TEST(ProgressLines, ARunWithoutDurationCountsAsDone) {
    Written out;
    Progress progress(out.File(), ProgressStyle::Lines, "ride");
    progress.Update(3.0, 0.0);
    EXPECT_NE(out.Text().find("100 %"), std::string::npos) << out.Text();
}

TEST(ProgressBar, RedrawsInPlaceAndLeavesTheLineClean) {
    Written out;
    {
        Progress progress(out.File(), ProgressStyle::Bar, "ride");
        progress.Update(50.0, 100.0);
        progress.Clear();                // before another line of output
        progress.Update(50.0, 100.0);    // drawn again at once, however soon
        progress.Update(100.0, 100.0);   // the end is always drawn
    }
    const std::string text = out.Text();
    EXPECT_EQ(text.find('\n'), std::string::npos) << text;
    EXPECT_EQ(Count(text, " 50 %"), 2u) << text;
    EXPECT_NE(text.find("[########################################] 100 %"), std::string::npos) << text;
    // Taken away after the clear and at the end.
    const std::string erase = "\r\033[K";
    EXPECT_EQ(text.substr(text.size() - erase.size()), erase);
}

TEST(ProgressNone, WritesNothing) {
    Written out;
    {
        Progress progress(out.File(), ProgressStyle::None, "ride");
        progress.Update(50.0, 100.0);
        progress.Clear();
    }
    EXPECT_EQ(out.Text(), "");
}

}  // namespace
}  // namespace kelvane_sim
