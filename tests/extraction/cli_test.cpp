// framepicker-cli as a script uses it: output lines, messages and exit codes.
#include "TestMedia.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sys/wait.h>

using namespace TestMedia;

namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// Runs framepicker-cli with the arguments, and with the environment's assignments before it.
CliRun cli(const std::string& arguments, const fs::path& folder, const std::string& environment = {})
{
    const fs::path errFile = folder / "stderr.txt";
    const std::string command = environment + std::string(CLI_PATH) + " " + arguments + " 2>" + quoted(errFile);
    FILE* pipe = ::popen(command.c_str(), "r");
    CliRun run{};
    std::array<char, 4096> buffer{};
    while (size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
        run.out.append(buffer.data(), n);
    run.status = WEXITSTATUS(::pclose(pipe));
    FILE* err = std::fopen(errFile.c_str(), "r");
    while (size_t n = std::fread(buffer.data(), 1, buffer.size(), err))
        run.err.append(buffer.data(), n);
    std::fclose(err);
    return run;
}

TEST(Cli, printsEachFolderAndGoesOnAfterAFailure)
{
    const fs::path folder = scratchFolder("cli");
    Clip c;
    c.frames = 3;
    makeClip(folder / "one.mp4", c);
    makeClip(folder / "two.mp4", c);

    const CliRun ok = cli(quoted(folder / "one.mp4") + " " + quoted(folder / "two.mp4"), folder);
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out, (folder / "one").string() + "\n" + (folder / "two").string() + "\n");
    EXPECT_EQ(ok.err, "");

    const CliRun mixed = cli(quoted(folder / "missing.mp4") + " " + quoted(folder / "two.mp4"), folder);
    EXPECT_EQ(mixed.status, 1);
    EXPECT_EQ(mixed.out, (folder / "two").string() + "\n");
    EXPECT_EQ(mixed.err, "framepicker-cli: " + (folder / "missing.mp4").string() + ": \u201Cmissing.mp4\u201D could not be found.\n");
}

// The disk fails in the middle of the last stretch: an error naming the video, not a
// last.png that is not the last frame.
TEST(Cli, aReadErrorIsNotTheEndOfTheVideo)
{
    const fs::path folder = scratchFolder("cliReadError");
    Clip c;
    c.frames = 900; // 30 s: opening the video reads only the first few seconds
    c.output = "-c:v libx264 -preset ultrafast -g 1000 -pix_fmt yuv420p -movflags +faststart";
    const fs::path video = makeClip(folder / "trip.mp4", c);
    const auto size = fs::file_size(video);
    const std::string fault = "FRAMEPICKER_FAULT_FILE=" + quoted(video) + " FRAMEPICKER_FAULT_OFFSET="
        + std::to_string(size * 3 / 4) + " LD_PRELOAD=" + quoted(READ_FAULT_PATH)
        + " ASAN_OPTIONS=$ASAN_OPTIONS:verify_asan_link_order=0 ";

    const CliRun run = cli(quoted(video), folder, fault);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "framepicker-cli: " + video.string()
                           + ": \u201Ctrip.mp4\u201D could not be read to the end (Input/output error).\n");
    EXPECT_TRUE(fs::exists(folder / "trip" / "first.png"));
    EXPECT_FALSE(fs::exists(folder / "trip" / "last.png"));
}

TEST(Cli, usageErrorsHelpAndVersion)
{
    const fs::path folder = scratchFolder("cliUsage");
    EXPECT_EQ(cli("", folder).status, 2);
    EXPECT_EQ(cli("--bogus", folder).status, 2);
    const CliRun help = cli("--help", folder);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: framepicker-cli", 0), 0u);
    const CliRun version = cli("--version", folder);
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("framepicker-cli 1.", 0), 0u);
}

} // namespace
