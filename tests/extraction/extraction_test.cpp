// The frames written for every kind of video a user may drop: the right frame, upright,
// at display size, in the right colours.
#include "TestMedia.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace TestMedia;
using FrameExtractor::decodeFrames;
using FrameExtractor::extractFrames;

namespace {

struct Row {
    const char* name;
    const char* fileName;
    Clip clip;
    int first, last;
    int width = 160, height = 120;
    int rotateTag = 0, channels = 3;
    // Then copied by the ffmpeg tool into another container, as a user's remux would.
    const char* remuxedAs = nullptr;
    // Then changed in place, as another program's output would differ from the ffmpeg tool's.
    void (*patch)(const fs::path& video) = nullptr;
    int colourTolerance = 12;
};

Clip clip(int frames, std::string output, int fps = 30, int width = 160, int height = 120, bool alpha = false)
{
    return {frames, width, height, fps, alpha, std::move(output)};
}

const std::string h264 = "-c:v libx264 -preset ultrafast -pix_fmt yuv420p";
const std::string silence = "-f lavfi -t 3 -i anullsrc=r=48000:cl=mono";

// The marked frames as a camera records them in BT.2020 with the given transfer: SDR white
// at the HDR reference white (203 cd/m2), 10-bit HEVC.
std::string inBt2020(const std::string& transfer, int whiteNits = 203)
{
    return "-vf zscale=tin=bt709:pin=bt709:min=gbr:rin=full:npl=" + std::to_string(whiteNits) + ":t=" + transfer
        + ":p=bt2020:m=bt2020nc:r=tv,format=yuv420p10le -c:v libx265 -x265-params log-level=none -color_primaries bt2020"
          " -color_trc " + transfer + " -colorspace bt2020nc";
}

// Frames at the times the expression gives, in 1/120 s. The ffmpeg tool gives the last
// frame no length of its own, so the edit list is left out: it would end the presentation
// as that frame begins.
std::string variableRate(const std::string& ticks)
{
    return " -vf settb=1/120,setpts='" + ticks + "/120/TB' -fps_mode vfr -use_editlist 0";
}

// Copies the video with a display matrix that turns it `clockwise` degrees, as a phone
// records a portrait video.
bool rotated(const fs::path& video, const fs::path& copy, int clockwise)
{
    // Newer ffmpeg tools set the matrix with -display_rotation and ignore the older rotate
    // tag, which is all that FFmpeg 5.1's knows; both give the same matrix.
    return ffmpeg("-display_rotation:v:0 " + std::to_string(clockwise) + " -i " + quoted(video)
                  + " -c copy " + quoted(copy))
        || ffmpeg("-i " + quoted(video) + " -c copy -metadata:s:v:0 rotate=" + std::to_string(clockwise) + " " + quoted(copy));
}

// The edit list of a 30-frame, 30 fps MP4 shortened to 820 ms of its 1000: the samples of
// frames 25 to 29 stay in the file, but a player's presentation ends with frame 24.
void cutTheTailByEditList(const fs::path& video)
{
    std::string bytes = contents(video);
    const std::size_t box = bytes.find("elst");
    ASSERT_NE(box, std::string::npos);
    ASSERT_EQ(bytes[box + 4], 0) << "a version 0 box is expected";
    // version and flags (4), entry count (4), then the first entry's 32-bit duration in the
    // movie's time scale, which the ffmpeg tool sets to 1000: made 820.
    for (int i = 0; i < 4; ++i)
        bytes[box + 12 + i] = static_cast<char>(820u >> (24 - 8 * i));
    writeFile(video, bytes);
}


// A recording from the air that lost a few packets of its last picture, frame 40: a band
// of it above the middle row of marks is concealed (each row of an MPEG-2 picture is a
// slice of its own). The B-frames shown before it, 37 to 39, come after it in the file.
void losePacketsOfTheLastPicture(const fs::path& video)
{
    std::string bytes = contents(video);
    std::vector<std::size_t> pictures; // where the video's packets start: PID 0x100, unit start
    for (std::size_t at = 0; at + 188 <= bytes.size(); at += 188)
        if ((bytes[at + 1] & 0x5f) == 0x41 && bytes[at + 2] == 0)
            pictures.push_back(at);
    ASSERT_GT(pictures.size(), 4u);
    const std::size_t start = pictures[pictures.size() - 4], packets = (pictures[pictures.size() - 3] - start) / 188;
    bytes.erase(start + packets * 30 / 100 * 188, (packets * 36 / 100 - packets * 30 / 100) * 188);
    writeFile(video, bytes);
}

const Row rows[] = {
    {"bFrames", "clip.mp4", clip(30, "-c:v libx264 -bf 3 -g 250 -pix_fmt yuv420p"), 0, 29},
    // Every B frame unreferenced, so the decoder may skip them on the way to the last frame.
    {"unreferencedBFrames", "clip.mp4",
     clip(41, "-c:v libx264 -bf 3 -b_strategy 0 -x264-params b-pyramid=none -g 250 -pix_fmt yuv420p"), 0, 40},
    {"oneFrameHevc", "clip.mp4", clip(1, "-c:v libx265 -x265-params log-level=none -pix_fmt yuv420p"), 0, 0},
    {"twoFramesBFrames", "clip.mp4", clip(2, "-c:v libx264 -bf 3 -b_strategy 0 -pix_fmt yuv420p"), 0, 1},
    {"timescale600", "clip.mov", clip(30, h264 + " -video_track_timescale 600"), 0, 29},
    {"rate25", "clip.mp4", clip(50, h264, 25), 0, 49},
    {"openGop", "clip.mkv", clip(70, "-c:v libx264 -bf 3 -x264-params keyint=24:open-gop=1 -pix_fmt yuv420p"), 0, 69},
    {"mpeg2ProgramStream", "clip.mpg", clip(60, "-c:v mpeg2video -q:v 2 -g 12 -bf 2 -f vob"), 0, 59},
    {"transportStreamStartsLate", "clip.ts", clip(60, "-c:v libx264 -bf 2 -g 20 -pix_fmt yuv420p -f mpegts"), 0, 59},
    {"avi", "clip.avi", clip(45, "-c:v mpeg4 -q:v 2 -bf 2 -g 15"), 0, 44},
    {"webm", "clip.webm", clip(40, "-c:v libvpx -b:v 2M -g 10"), 0, 39},
    {"oneFrame", "clip.mp4", clip(1, h264), 0, 0},
    {"twoFrames", "clip.mp4", clip(2, h264), 0, 1},
    {"variableFrameRate", "clip.mp4",
     // A burst of 120 fps, then 30 fps: the nominal (average) interval is shorter than the last frame.
     clip(40, h264 + variableRate("if(lt(N\\,20)\\,N\\,20+(N-20)*4)")), 0, 39},
    {"tenBit", "clip.mp4", clip(30, "-c:v libx265 -x265-params log-level=none -pix_fmt yuv420p10le"), 0, 29},
    {"audioFirst", "clip.mp4", clip(30, silence + " -map 1:a -map 0:v -c:a aac -shortest " + h264), 0, 29},
    {"audioLongerThanVideo", "clip.mp4", clip(30, silence + " -map 0:v -map 1:a -c:a aac " + h264), 0, 29},
    {"nonSquarePixels", "clip.mp4", clip(10, h264 + " -vf setsar=32/27", 30, 720, 480), 0, 9, 853, 480},
    {"mjpegFullRange", "clip.avi", clip(20, "-c:v mjpeg -q:v 2 -pix_fmt yuvj420p"), 0, 19},
    {"bt709Tagged", "clip.mp4",
     clip(20, "-vf scale=out_color_matrix=bt709:out_range=tv,format=yuv420p -colorspace bt709 -color_primaries bt709 "
              "-color_trc bt709 -c:v libx264 -preset ultrafast"),
     0, 19},
    {"proresAlpha", "clip.mov", clip(10, "-c:v prores_ks -profile:v 4444 -pix_fmt yuva444p10le", 30, 160, 120, true), 0, 9, 160,
     120, 0, 4},
    {"pngAlpha", "clip.mov", clip(10, "-c:v png", 30, 160, 120, true), 0, 9, 160, 120, 0, 4},
    {"rotated90", "clip.mp4", clip(30, h264), 0, 29, 120, 160, 90},
    {"rotated180", "clip.mp4", clip(30, h264), 0, 29, 160, 120, 180},
    {"rotated270", "clip.mp4", clip(30, h264), 0, 29, 120, 160, 270},
    // Times in whole milliseconds: the last frame starts at 1967 ms, after 2 s less 1/30 s.
    {"matroskaMilliseconds", "clip.mkv", clip(60, h264), 0, 59},
    {"remuxedFromMatroska", "clip.mkv", clip(60, h264), 0, 59, 160, 120, 0, 3, "clip.mp4"},
    {"webmMilliseconds60fps", "clip.webm", clip(120, "-c:v libvpx -b:v 1M -g 30", 60), 0, 119},
    // A phone's variable rate: the last frame comes 1/120 s after the one before it.
    {"shortLastFrame", "clip.mp4",
     clip(40, h264 + variableRate("if(lt(N\\,39)\\,N*4\\,38*4+1)")), 0, 39},
    {"editListCutsTheTail", "clip.mp4", clip(30, "-c:v libx264 -bf 2 -g 250 -pix_fmt yuv420p -video_track_timescale 30"),
     0, 24, 160, 120, 0, 3, nullptr, cutTheTailByEditList},
    // Wide gamut without HDR: red is the red of an ordinary screen, not a dull orange.
    // The tools' 10-bit rounding differs between FFmpeg versions by up to 14 in a channel
    // near black; the fault, unconverted primaries, is off by 48 and more.
    {"bt2020Sdr", "clip.mp4", clip(20, inBt2020("bt2020-10")), 0, 19, 160, 120, 0, 3, nullptr, nullptr, 24},
    // The last whole picture, not the smeared half of the one after it: a download cut off
    // in the middle of a picture, where the decoder conceals what is missing.
    {"cutOffTransportStream", "clip.ts",
     clip(40, "-vf noise=alls=6:allf=t -c:v libx264 -qp 0 -g 10 -bf 0 -pix_fmt yuv420p -f mpegts", 30, 640, 480), 0, 19, 640, 480, 0, 3, nullptr,
     [](const fs::path& video) { fs::resize_file(video, fs::file_size(video) * 51 / 100); }, 24},
    // Full range in a format without a full-range twin (10 bits), told by the tag alone:
    // read as limited range, the greys would come out brighter.
    {"fullRangeTagged", "clip.mp4",
     clip(20, "-vf scale=out_range=full,format=yuv420p10le -color_range pc -c:v libx265 -x265-params log-level=none"), 0, 19},
    // HD without a matrix tag is BT.709, as players take it: not a darker red.
    {"untaggedHd", "clip.mp4",
     clip(5, "-vf scale=out_color_matrix=bt709,format=yuv420p -bsf:v h264_metadata=matrix_coefficients=2 " + h264, 30, 1280, 720),
     0, 4, 1280, 720},
    // The latest intact frame is a B-frame, one of those skipped on the way to the end.
    {"lostPacketsInTheLastPicture", "clip.ts",
     clip(41, "-vf noise=alls=6:allf=t -c:v mpeg2video -q:v 2 -bf 3 -g 250 -sc_threshold 1000000000 -f mpegts", 30, 320, 240),
     0, 39, 320, 240, 0, 3, nullptr, losePacketsOfTheLastPicture, 24},
    // SD tagged BT.601, PAL and NTSC: pure red, not the orange-red of the BT.709 matrix.
    {"palTaggedBt601", "clip.mp4", clip(5, "-vf scale=out_color_matrix=bt601,format=yuv420p -colorspace bt470bg " + h264, 25, 720, 576),
     0, 4, 720, 576},
    {"ntscTaggedBt601", "clip.mp4", clip(5, "-vf scale=out_color_matrix=bt601,format=yuv420p -colorspace smpte170m " + h264, 30, 640, 480),
     0, 4, 640, 480},
    {"fragmentedMp4", "clip.mp4", clip(60, h264 + " -g 15 -movflags frag_keyframe+empty_moov+default_base_moof"), 0, 59},
};

// The row by its name in the test's listing, not as the bytes of its pointers.
void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

class ExtractionTest : public testing::TestWithParam<Row> {};

TEST_P(ExtractionTest, writesTheExactFirstAndLastFrame)
{
    const Row& row = GetParam();
    const fs::path folder = scratchFolder(row.name);
    fs::path video = makeClip(folder / row.fileName, row.clip);
    if (row.remuxedAs) {
        const fs::path remuxed = folder / row.remuxedAs;
        ASSERT_TRUE(ffmpeg("-i " + quoted(video) + " -c copy " + quoted(remuxed)));
        video = remuxed;
    }
    if (row.patch)
        row.patch(video);
    if (row.rotateTag) {
        const fs::path tagged = folder / ("rotated-" + std::string(row.fileName));
        ASSERT_TRUE(rotated(video, tagged, row.rotateTag));
        video = tagged;
    }

    const fs::path output = extractFrames(video, decodeFrames);
    for (const auto& [file, expected] : {std::pair{"first.png", row.first}, std::pair{"last.png", row.last}}) {
        SCOPED_TRACE(file);
        const auto image = readPNG(output / file);
        EXPECT_EQ(std::tuple(image.width, image.height, image.channels), std::tuple(row.width, row.height, row.channels));
        const Reading marks = readMarks(image, row.rotateTag, row.colourTolerance);
        EXPECT_EQ(marks.index, expected);
        EXPECT_TRUE(marks.colours) << "colours or orientation are off";
        if (row.channels == 4) {
            // The transparent cell stays transparent; the red one stays opaque.
            EXPECT_LT(image.row(image.height - 2)[(image.width - 2) * 4 + 3], 16);
            EXPECT_GT(image.row(1)[1 * 4 + 3], 240);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Videos, ExtractionTest, testing::ValuesIn(rows),
                         [](const auto& info) { return std::string(info.param.name); });

struct Look {
    // The means of max - min over the channels and of the channels.
    double colourfulness = 0, brightness = 0;
};

Look lookOf(const FrameExtractor::Image& image)
{
    Look look;
    for (std::size_t at = 0; at < image.pixels.size(); at += image.channels) {
        const std::uint8_t* p = &image.pixels[at];
        look.colourfulness += std::max({p[0], p[1], p[2]}) - std::min({p[0], p[1], p[2]});
        look.brightness += (p[0] + p[1] + p[2]) / 3.0;
    }
    const double pixels = double(image.width) * image.height;
    return {look.colourfulness / pixels, look.brightness / pixels};
}

// HDR as a viewer shows it on an ordinary screen: as colourful and about as bright as the
// SDR picture it was made from, not grey and washed out.
TEST(Extraction, hdrLooksAsItsSdrOriginal)
{
    const fs::path folder = scratchFolder("hdr");
    const Look original = lookOf(readPNG(extractFrames(makeClip(folder / "sdr.mp4", clip(30, h264)), decodeFrames) / "last.png"));
    for (const std::string transfer : {"smpte2084", "arib-std-b67"}) {
        SCOPED_TRACE(transfer);
        const auto image = readPNG(extractFrames(makeClip(folder / (transfer + ".mp4"), clip(30, inBt2020(transfer))), decodeFrames) / "last.png");
        EXPECT_EQ(readMarks(image).index, 29);
        const Look look = lookOf(image);
        EXPECT_GT(look.colourfulness, 0.8 * original.colourfulness);
        EXPECT_GT(look.brightness, 0.75 * original.brightness);
        EXPECT_LT(look.brightness, 1.05 * original.brightness);
    }
}

// HLG light above SDR white (a ramp up to five times it) rolls off as a player shows it,
// keeping its shades: without the tone map its brighter half would be one flat white.
TEST(Extraction, hlgHighlightsKeepTheirShades)
{
    const fs::path video = scratchFolder("hlgHighlights") / "sky.mp4";
    ASSERT_TRUE(ffmpeg("-f lavfi -i nullsrc=s=160x120:d=0.2,format=gbrp,geq=r=X*255/W:g=X*255/W:b=X*255/W "
                       + inBt2020("arib-std-b67", 1000) + " " + quoted(video)));
    const auto image = readPNG(extractFrames(video, decodeFrames) / "last.png");
    std::set<int> shades;
    for (int x = image.width / 2; x < image.width; ++x)
        shades.insert(image.row(image.height / 2)[x * 3]);
    EXPECT_GT(shades.size(), 20u);
}

TEST(Extraction, coverArtIsNotTheVideo)
{
    const fs::path folder = scratchFolder("coverArt");
    const fs::path withVideo = makeClip(folder / "video.mp4", clip(20, h264));
    ASSERT_TRUE(ffmpeg("-f lavfi -i color=c=green:s=64x64 -frames:v 1 " + quoted(folder / "cover.png")));

    const fs::path film = folder / "film.mp4";
    ASSERT_TRUE(ffmpeg("-i " + quoted(folder / "cover.png") + " -i " + quoted(withVideo)
                       + " -map 0 -map 1 -c copy -disposition:0 attached_pic " + quoted(film)));
    EXPECT_EQ(readMarks(readPNG(extractFrames(film, decodeFrames) / "last.png")).index, 19);

    // A song with its album cover holds no video.
    const fs::path song = folder / "song.m4a";
    ASSERT_TRUE(ffmpeg(silence + " -i " + quoted(folder / "cover.png")
                       + " -map 0 -map 1 -c:a aac -c:v copy -disposition:v attached_pic " + quoted(song)));
    EXPECT_EQ(thrown([&] { extractFrames(song, decodeFrames); }), "noVideo: song.m4a");
}

// The share of the reading rises through the whole of a clip with one key frame, which is
// read in full for its last frame; a job stopped before it starts reads nothing.
TEST(Extraction, progressRisesToTheWholeAndAStopEndsTheJob)
{
    const fs::path folder = scratchFolder("progress");
    const fs::path video = makeClip(folder / "clip.mkv", Clip{.frames = 300, .width = 640, .height = 360,
                                                              .output = "-c:v libx264 -pix_fmt yuv420p -g 100000"});
    std::vector<double> done;
    FrameExtractor::readFrames(video, decodeFrames, {.onProgress = [&](const FrameExtractor::Progress& progress) { done.push_back(progress.done); }});
    EXPECT_TRUE(std::is_sorted(done.begin(), done.end()));
    EXPECT_TRUE(std::ranges::any_of(done, [](double share) { return share > 0.3 && share < 0.7; })) << testing::PrintToString(done);
    EXPECT_EQ(done.back(), 1.0);
    std::stop_source stop;
    stop.request_stop();
    EXPECT_EQ(thrown([&] { FrameExtractor::readFrames(folder / "clip.mkv", decodeFrames, {.stop = stop.get_token()}); }),
              "The job was cancelled");
}

} // namespace
