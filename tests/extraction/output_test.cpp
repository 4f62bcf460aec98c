// Where the images go, how they are written, and what a user sees for bad input.
#include "TestMedia.h"
#include "extraction/PngEncoder.h"
#include "extraction/Worker.h"
#include "extraction/OutputFolder.h"
#include "cli/Batch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <dlfcn.h>
#include <mutex>
#include <set>
#include <atomic>
#include <fcntl.h>
#include <functional>
#include <thread>
#include <sys/file.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <grp.h>
#include <spawn.h>
#include <csignal>
#include <chrono>
#include <zlib.h>

using namespace TestMedia;
using namespace FrameExtractor;

#if !defined(__SANITIZE_ADDRESS__)
// While set, allocations this large or larger fail, as on a machine short of memory.
static std::atomic<std::size_t> failAllocationsFrom = 0;

void* operator new(std::size_t size)
{
    const std::size_t limit = failAllocationsFrom;
    void* memory = limit && size >= limit ? nullptr : std::malloc(size ? size : 1);
    if (!memory)
        throw std::bad_alloc();
    return memory;
}
// The memory came from malloc, in the operator new above; newer compilers cannot see that.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* memory) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}
#pragma GCC diagnostic pop
#endif

// The disk as the writer meets it, seen through its calls: the files flushed to it, the
// renames of flushed files, and renames to `refusedName` refused (EIO; an exchange EINVAL),
// as a network share may refuse them.
static std::mutex diskMutex;
static std::set<std::pair<dev_t, ino_t>> flushedFiles;
static int flushedRenames = 0;
static std::string refusedName;

static int flushed(const char* function, int fd)
{
    const int result = reinterpret_cast<int (*)(int)>(::dlsym(RTLD_NEXT, function))(fd);
    struct stat file {};
    const std::lock_guard lock(diskMutex);
    if (result == 0 && ::fstat(fd, &file) == 0)
        flushedFiles.emplace(file.st_dev, file.st_ino);
    return result;
}
extern "C" int fsync(int fd) { return flushed("fsync", fd); }
extern "C" int fdatasync(int fd) { return flushed("fdatasync", fd); }

extern "C" int renameat2(int fromFolder, const char* from, int toFolder, const char* to, unsigned flags) noexcept
{
    using Rename = int (*)(int, const char*, int, const char*, unsigned);
    static const auto rename = reinterpret_cast<Rename>(::dlsym(RTLD_NEXT, "renameat2"));
    struct stat file {};
    const bool found = ::fstatat(fromFolder, from, &file, AT_SYMLINK_NOFOLLOW) == 0;
    const std::lock_guard lock(diskMutex);
    if (refusedName == to) {
        errno = flags & RENAME_EXCHANGE ? EINVAL : EIO;
        return -1;
    }
    const int result = rename(fromFolder, from, toFolder, to, flags);
    flushedRenames += result == 0 && found && flushedFiles.count({file.st_dev, file.st_ino});
    return result;
}
extern "C" int renameat(int fromFolder, const char* from, int toFolder, const char* to) noexcept
{
    return renameat2(fromFolder, from, toFolder, to, 0);
}

namespace {

Image grey(int width, int height, int channels = 3)
{
    return {width, height, channels, std::vector<std::uint8_t>(std::size_t(width) * height * channels, 128)};
}

const Clip shortClip{.frames = 5, .output = "-c:v libx264 -preset ultrafast -pix_fmt yuv420p"};

std::span<const std::uint8_t> bytesOf(const std::string& text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::vector<std::string> namesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Beside the video, with only the last extension removed; a file where the folder should go
// is an error; names of dots get a folder of their own.
TEST(OutputFolder, isBesideTheVideoWithOnlyTheLastExtensionRemoved)
{
    EXPECT_EQ(outputFolderFor("/m/trip.mov"), "/m/trip");
    EXPECT_EQ(outputFolderFor("/m/a.b.c.mov"), "/m/a.b.c");
    EXPECT_EQ(outputFolderFor("/x/clip"), "/x/clip");
    EXPECT_EQ(outputFolderFor("trip.mov"), fs::current_path() / "trip");

    const fs::path folder = scratchFolder("blocked");
    writeFile(folder / "trip", "in the way");
    writeFile(folder / "clip", "video"); // without an extension the folder would be the video itself
    fs::create_symlink(folder / "nowhere" / "at all", folder / "linked"); // a dangling link
    for (const char* video : {"trip.mov", "clip", "linked.mp4"})
        EXPECT_EQ(thrown([&] { writePair(outputPlaceFor(folder / video), bytesOf("1"), bytesOf("1")); }),
                  "cannotCreateFolder: " + outputFolderFor(folder / video).string() + ": File exists");
    EXPECT_EQ(contents(folder / "trip") + contents(folder / "clip"), "in the wayvideo");

    // Nothing but dots before the extension would name the video's own folder or its parent:
    // those get a folder of their own, beside the video and under the output folder.
    const fs::path dots = scratchFolder("dotNames");
    fs::create_directories(dots / "in");
    fs::create_directories(dots / "out");
    for (const auto& [name, made] : {std::pair{"..mp4", "._mp4"}, std::pair{"...mp4", ".._mp4"}}) {
        const fs::path video = fs::path("in") / name;
        EXPECT_EQ(writePair(outputPlaceFor(dots / video), bytesOf("1"), bytesOf("1")), dots / "in" / made);
        EXPECT_EQ(writePair(Cli::outputPlaceUnder(dots / "out", video), bytesOf("1"), bytesOf("1")), dots / "out" / "in" / made);
    }
    // Nothing written anywhere else.
    for (const fs::path& place : {dots / "in", dots / "out" / "in"})
        EXPECT_EQ(namesIn(place), (std::vector<std::string>{".._mp4", "._mp4"}));
    EXPECT_EQ(namesIn(dots / "out"), std::vector<std::string>{"in"});
    EXPECT_EQ(namesIn(dots), (std::vector<std::string>{"in", "out"}));
}

// What a run killed outright left (a dot, the image's name, a dot, eight letters or digits)
// goes with the next run; nothing else does.
TEST(OutputFolder, aRerunReplacesBothImagesAndLeavesOtherFilesAlone)
{
    const fs::path folder = scratchFolder("rerun");
    const fs::path video = makeClip(folder / "trip.mov", shortClip);
    fs::create_directory(folder / "trip");
    for (const char* name : {"last.png", "notes.txt", ".first.png.Ab3dEf9h", ".last.png.00000000", ".first.png.keep",
                             ".first.png.Ab3dEf9-", ".last.png.Ab3dEf9hX"})
        writeFile(folder / "trip" / name, "old");

    flushedRenames = 0;
    EXPECT_EQ(extractFrames(video, decodeFrames), folder / "trip");
    EXPECT_EQ(extractFrames(video, decodeFrames), folder / "trip");
    // Each image is on the disk before it takes its name: after a power cut the folder
    // holds whole images, not empty files named first.png and last.png.
    EXPECT_EQ(flushedRenames, 4);
    EXPECT_EQ(contents(folder / "trip" / "notes.txt"), "old");
    EXPECT_EQ(readMarks(readPNG(folder / "trip" / "last.png")).index, 4);
    EXPECT_EQ(namesIn(folder / "trip"), (std::vector<std::string>{".first.png.Ab3dEf9-", ".first.png.keep",
                                                                  ".last.png.Ab3dEf9hX", "first.png", "last.png", "notes.txt"}));
}

// Windows saving at once: writers of one folder take turns, so that whenever none is writing
// both its images are of one pair; and none leaves the process (and every later folder and
// image) world-writable.
TEST(WritePair, concurrentSavesLeaveMatchingPairsWithThePermissionsTheUmaskGives)
{
    const mode_t before = ::umask(022);
    const fs::path folder = scratchFolder("concurrent");
    const OutputPlace shared{folder, "shared"};
    std::atomic<int> wrong = 0;
    {
        std::vector<std::jthread> windows;
        for (int w = 0; w < 8; ++w)
            windows.emplace_back([&, w] {
                for (int i = 0; i < 40; ++i) {
                    const std::string mark = std::to_string(w) + "-" + std::to_string(i);
                    const std::vector<std::uint8_t> png = encodePNGFile(grey(4, 4), "first.png");
                    writePair(outputPlaceFor(folder / (mark + ".mov")), png, png);
                    wrong += thrown([&] { writePair(shared, bytesOf(mark + ":first"), bytesOf(mark + ":last")); }) != "no error";
                    // Looked at as the next writer finds it: holding the writers' lock.
                    const int held = ::open(shared.folder().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
                    ::flock(held, LOCK_SH);
                    const std::string first = contents(shared.folder() / "first.png");
                    const std::string last = contents(shared.folder() / "last.png");
                    ::close(held);
                    wrong += first.substr(0, first.find(':')) != last.substr(0, last.find(':'));
                }
            });
    }
    EXPECT_EQ(::umask(before), 022);
    EXPECT_EQ(wrong, 0);
    int images = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const fs::perms expected = entry.is_directory() ? fs::perms(0755) : fs::perms(0644);
        ASSERT_EQ(entry.status().permissions(), expected) << entry.path();
        images += entry.is_regular_file();
    }
    EXPECT_EQ(images, (8 * 40 + 1) * 2); // the pairs and nothing else: no temporary file left
}

TEST(SavePNG, largeImagesRoundTripExactlyWhateverTheirContent)
{
    // Wide rows take the sampled filter choice, tall images are deflated in bands. Between
    // rows of grain, rows that one filter alone reduces to nearly nothing, so that each of
    // the five is taken: a copy of the row above (Up); each byte the mean of the ones left
    // of and above it (Average); one value (None); a ramp (Sub); the left half as above,
    // the right half flat where above it was flat at another value (Paeth).
    const fs::path folder = scratchFolder("roundTrip");
    for (const int channels : {3, 4}) {
        SCOPED_TRACE(channels);
        Image image = grey(701, 523, channels);
        const std::size_t rowBytes = std::size_t(image.width) * channels, half = rowBytes / 2;
        std::uint32_t noise = 12345;
        for (int y = 0; y < image.height; ++y) {
            for (std::size_t i = 0; i < rowBytes; ++i) {
                noise = noise * 1664525u + 1013904223u;
                const int left = i >= std::size_t(channels) ? image.row(y)[i - channels] : 0, up = y ? image.row(y - 1)[i] : 0;
                const int values[] = {int(noise >> 24), up, (left + up) >> 1, y, int(i) * 3 + y,
                                      i < half ? int(noise >> 24) : 40, i < half ? up : 200};
                image.row(y)[i] = static_cast<std::uint8_t>(values[y % 7]);
            }
        }
        const std::vector<std::uint8_t> png = encodePNGFile(image, "big.png");
        std::vector<std::uint8_t> deflated, raw((rowBytes + 1) * image.height);
        for (std::size_t at = 8, length = 0; at + 12 <= png.size(); at += 12 + length) {
            length = std::size_t(png[at]) << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
            if (std::equal(png.begin() + at + 4, png.begin() + at + 8, "IDAT"))
                deflated.insert(deflated.end(), png.begin() + at + 8, png.begin() + at + 8 + length);
        }
        uLongf size = raw.size();
        ASSERT_EQ(uncompress(raw.data(), &size, deflated.data(), deflated.size()), Z_OK);
        std::set<int> filters;
        for (int y = 0; y < image.height; ++y)
            filters.insert(raw[y * (rowBytes + 1)]);
        EXPECT_EQ(filters, (std::set<int>{0, 1, 2, 3, 4}));
        writeFile(folder / "big.png", std::string(png.begin(), png.end()));
        EXPECT_TRUE(readPNG(folder / "big.png").pixels == image.pixels);
    }
}

// An image that cannot be a PNG is an error naming it. A picture's band that cannot get its
// buffer, on a machine short of memory, is the clear out-of-memory failure on the caller's
// thread, not the end of the process, and the bands of the next picture are encoded as ever.
TEST(SavePNG, failuresAreErrorsNotCrashes)
{
    EXPECT_EQ(thrown([] { encodePNGFile(grey(0, 0), "last.png"); }), "cannotSavePNG: last.png (not a picture: 0 \u00D7 0, 3 channels)");
#if !defined(__SANITIZE_ADDRESS__)
    const Image image = grey(1000, 1000); // bands of about 1.5 MB each
    failAllocationsFrom = 1 << 20;
    EXPECT_THROW(encodePNGFile(image, "first.png"), std::bad_alloc);
    failAllocationsFrom = 0;
    EXPECT_FALSE(encodePNGFile(image, "first.png").empty());
#endif
}

// What `run` returns, run in a child process, which may give up what the tests' own process
// must keep: its memory, its user, its view of the mounts.
std::string inChild(const std::function<std::string()>& run)
{
    std::FILE* answer = std::tmpfile(); // open before the child gives up its user
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(std::fputs(run().c_str(), answer) < 0 || std::fflush(answer) != 0);
    ::waitpid(child, nullptr, 0);
    const std::string message = contents("/proc/self/fd/" + std::to_string(::fileno(answer)));
    std::fclose(answer);
    return message;
}

// Links and folders met on the way to the output folder, some another user put in a shared
// sticky folder as /tmp is; played by root as root, and as an ordinary user beside another.
TEST(WritePair, goesOnlyThroughTheUsersOwnLinksIntoTheirOwnFolders)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "not checked: other users' files take root to make; a user namespace maps only our own user";
    const struct {
        const char* name;
        // Made after "shared" (root's, sticky) and "home", "home/v", "home/album" (the user's):
        // a folder, or a link to the target ("/..." from the top folder); whose: u, o(ther), r(oot).
        std::vector<std::array<const char*, 3>> made;
        const char *base, *relative, *failure = "no error", *named = nullptr; // from the top
    } rows[] = {
        {"theirLink", {{"shared/z", "o", "/home/album"}}, "shared", "z", "untrustedLink", "shared/z"},
        {"theirOpenFolder", {{"shared/trip", "o"}}, "shared", "trip", "foreignFolder", "shared/trip"},
        {"ourLinkThroughTheirs", {{"shared/x", "o", "/home/album"}, {"home/v/trip", "u", "../../shared/x"}},
         "home/v", "trip", "untrustedLink", "shared/x"},
        {"ourLinkToTheirFolder", {{"shared/trip", "o"}, {"home/v/trip", "u", "/shared/trip"}}, "home/v", "trip",
         "foreignFolder", "shared/trip"},
        {"aLoop", {{"home/v/trip", "u", "./trip"}}, "home/v", "trip", "cannotCreateFolder", "home/v/trip"},
        {"ourLinks", {{"shared/y", "u", "../home/album"}, {"home/v/trip", "u", "/shared/y"}}, "home/v", "trip"},
        {"rootsLink", {{"shared/r", "r", "/home/album"}}, "shared", "r"},
        {"theirFolderChosen", {{"shared/theirs", "o"}}, "shared/theirs", "trip"},
    };
    const fs::path top = fs::canonical(scratchFolder("users"));
    fs::permissions(top.parent_path(), fs::perms(0711)); // for the ordinary user to pass
    for (const uid_t user : {0u, 65534u}) {
        for (const auto& row : rows) {
            SCOPED_TRACE(std::string(row.name) + " as " + std::to_string(user));
            fs::remove_all(top);
            auto made = row.made;
            made.insert(made.begin(), {{{"shared", "r"}}, {{"home", "u"}}, {{"home/v", "u"}}, {{"home/album", "u"}}});
            for (const auto& [path, owner, target] : made) {
                if (target)
                    fs::create_directory_symlink((*target == '/' ? top.string() : "") + target, top / path);
                else
                    fs::create_directories(top / path);
                const uid_t uid = *owner == 'r' ? 0 : *owner == 'u' ? user : user ? 65533 : 65534;
                ASSERT_EQ(::lchown((top / path).c_str(), uid, uid), 0);
                if (!target)
                    fs::permissions(top / path, fs::perms(*owner == 'u' ? 0755 : 01777));
            }
            const std::string failure = inChild([&] {
                const bool became = !::setgroups(0, nullptr) && !::setresgid(user, user, user) && !::setresuid(user, user, user);
                return became ? thrown([&] { writePair({top / row.base, row.relative}, bytesOf("1"), bytesOf("1")); }) : "";
            });
            EXPECT_EQ(failure.substr(0, failure.rfind(": ")), row.failure + (row.named ? ": " + (top / row.named).string() : ""));
        }
    }
}

// Another program holds the folder for ever: the job gives up after a while, or at once when
// cancelled, and framepicker-cli ends at once on Ctrl+C; the earlier pair stays.
TEST(WritePair, waitsForAnotherProgramsLockOnlySoLong)
{
    const fs::path folder = fs::canonical(scratchFolder("held"));
    std::string program = CLI_PATH, video = makeClip(folder / "trip.mov", shortClip).string();
    const OutputPlace place = outputPlaceFor(video);
    writePair(place, bytesOf("old"), bytesOf("old"));
    // Locks belong to an open file description: this one is not the writer's.
    const int held = ::open(place.folder().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    EXPECT_TRUE(thrown([&] { writePair(place, bytesOf("new"), bytesOf("new"), {.patience = std::chrono::milliseconds(50)}); })
                    .starts_with("folderInUse: " + place.folder().string() + ": "));
    EXPECT_EQ(thrown([&] { writePair(place, bytesOf("new"), bytesOf("new"), {.cancelled = [] { return true; }}); }), "The job was cancelled");

    char* arguments[] = {program.data(), video.data(), nullptr};
    pid_t cli = -1;
    ASSERT_EQ(::posix_spawn(&cli, CLI_PATH, nullptr, nullptr, arguments, environ), 0);
    const auto waiting = [&] { // it has the folder open
        std::error_code error;
        for (fs::directory_iterator fd("/proc/" + std::to_string(cli) + "/fd", error), end; !error && fd != end; fd.increment(error))
            if (fs::read_symlink(fd->path(), error) == place.folder())
                return true;
        return false;
    };
    for (int tries = 0; tries < 3000 && !waiting(); ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const auto signalled = std::chrono::steady_clock::now();
    ::kill(cli, SIGINT);
    int status = 0;
    ASSERT_EQ(::waitpid(cli, &status, 0), cli);
    EXPECT_LT(std::chrono::steady_clock::now() - signalled, std::chrono::seconds(2)); // not the 10 s
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 130) << status;
    EXPECT_EQ(contents(place.folder() / "first.png") + contents(place.folder() / "last.png"), "oldold");
    EXPECT_EQ(namesIn(place.folder()), (std::vector<std::string>{"first.png", "last.png"}));
    ::close(held);
}

// A pair that cannot be put in place leaves the earlier pair as it was, no temporary file
// and no folder of its own.
TEST(WritePair, aFailureLeavesTheFolderAsItWas)
{
    const fs::path disk = scratchFolder("pairFullDisk");
    const std::string user = std::to_string(::geteuid()), group = std::to_string(::getegid());
    // Run in a child that mounts a 64 KiB file system there, in a user namespace of its own
    // (no root needed); its failures are printed as they come.
    const std::string done = inChild([&] {
        const bool own = ::unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0;
        writeFile("/proc/self/uid_map", user + " " + user + " 1");
        writeFile("/proc/self/setgroups", "deny");
        writeFile("/proc/self/gid_map", group + " " + group + " 1");
        const bool small = own && ::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") == 0;
        writePair({disk, "pair"}, bytesOf("old first"), bytesOf("old last"));
        fs::create_directories(disk / "blocked" / "last.png");
        writeFile(disk / "blocked" / "first.png", "old first");

        const std::string big(100 << 10, 'x');
        const struct {
            const char *name, *relative;
            std::string first, last;
            int error;
            std::string refused = {}; // the name a rename to fails
        } rows[] = {
            {"firstDoesNotFit", "pair", big, "new", ENOSPC},
            {"lastDoesNotFit", "pair", "new", big, ENOSPC},
            {"lastIsAFolder", "blocked", "new", "new", EISDIR},
            {"newFoldersDoNotFit", "new/deeper", big, "new", ENOSPC},
            {"firstCannotBeRenamed", "pair", "new", "new", EIO, "first.png"},
        };
        for (const auto& row : rows) {
            SCOPED_TRACE(row.name);
            if (row.error == ENOSPC && !small)
                continue;
            refusedName = row.refused;
            const std::string failure = thrown([&] { writePair({disk, row.relative}, bytesOf(row.first), bytesOf(row.last)); });
            EXPECT_TRUE(failure.ends_with(std::strerror(row.error))) << failure;
            refusedName.clear();
        }
        EXPECT_EQ(contents(disk / "pair" / "first.png") + ", " + contents(disk / "pair" / "last.png"), "old first, old last");
        EXPECT_EQ(contents(disk / "blocked" / "first.png"), "old first");
        for (const char* place : {"pair", "blocked"})
            EXPECT_EQ(namesIn(disk / place), (std::vector<std::string>{"first.png", "last.png"})) << place;
        EXPECT_EQ(namesIn(disk), (std::vector<std::string>{"blocked", "pair"}));
        return ::testing::Test::HasFailure() ? "failed" : small ? "checked" : "no full disk";
    });
    EXPECT_TRUE(done == "checked" || done == "no full disk") << done;
    if (done == "no full disk")
        GTEST_SKIP() << "not checked: the rows of a full disk; no user namespace here to mount a small tmpfs in";
}

TEST(BadInput, eachGivesOneClearMessageNamingTheFile)
{
    const fs::path folder = scratchFolder("badInput");
    writeFile(folder / "empty.mp4", "");
    const std::string bytes = contents(makeClip(folder / "whole.mp4", shortClip));
    writeFile(folder / "truncated.mp4", bytes.substr(0, bytes.size() / 3));
    // Every picture's data zeroed, the container intact: packets come, frames never do.
    // The index (moov) follows the pictures (mdat); each box starts with its 32-bit size.
    std::string zeroed = bytes;
    const std::size_t data = zeroed.find("mdat"), index = zeroed.rfind("moov");
    ASSERT_TRUE(data != std::string::npos && index != std::string::npos && data < index);
    std::fill(zeroed.begin() + data + 4, zeroed.begin() + index - 4, '\0');
    writeFile(folder / "zeroed.mp4", zeroed);
    // The sample description names a format newer than any FFmpeg (as 'vvc1' is to 5.1).
    std::string newer = bytes;
    const std::size_t entry = newer.find("avc1", newer.find("stsd"));
    ASSERT_NE(entry, std::string::npos);
    newer.replace(entry, 4, "qqv1");
    writeFile(folder / "newer.mp4", newer);
    fs::create_directory(folder / "folder.mp4");
    // Shared folders hold what others put there: lists that name the user's private
    // recording, a pipe nobody writes to, a picture far beyond what memory holds, pixels
    // 255 times taller than wide.
    const fs::path secret = makeClip(scratchFolder("private") / "secret.mp4", shortClip);
    writeFile(folder / "playlist.mp4", "#EXTM3U\n#EXT-X-TARGETDURATION:10\n#EXTINF:10,\n" + secret.string() + "\n#EXT-X-ENDLIST\n");
    fs::copy_file(secret, folder / "secret.mp4");
    writeFile(folder / "list.mkv", "ffconcat version 1.0\nfile secret.mp4\n");
    ASSERT_EQ(::mkfifo((folder / "pipe.mp4").c_str(), 0600), 0);
    ASSERT_TRUE(ffmpeg("-f lavfi -i color=c=gray:s=12000x12000 -frames:v 1 -c:v mjpeg -q:v 31 " + quoted(folder / "huge.mkv")));
    makeClip(folder / "thin.avi", Clip{.frames = 2, .width = 64, .height = 48, .output = "-c:v mpeg4 -vf setsar=1/255"});

    const struct {
        const char* file;
        const char* message;
    } rows[] = {
        {"empty.mp4", "unreadable: empty.mp4 ("},
        {"truncated.mp4", "unreadable: truncated.mp4 ("},
        {"zeroed.mp4", "noPicture: zeroed.mp4 ("}, // with the decoder's complaint
        {"newer.mp4", "unsupportedFormat: newer.mp4 (qqv1)"},
        {"folder.mp4", "folder: folder.mp4"},
        {"missing.mp4", "notFound: missing.mp4"},
        {"playlist.mp4", "unreadable: playlist.mp4 ("},
        {"list.mkv", "unreadable: list.mkv ("},
        {"pipe.mp4", "notRegular: pipe.mp4"},
        {"huge.mkv", "tooLarge: huge.mkv (12000 \u00D7 12000)"},
        {"thin.avi", "extremeAspectRatio: thin.avi (1:255)"},
    };
    // Decoded as the application decodes: in the confined worker.
    WorkerClient workers(WORKER_PATH);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        const std::string failure = thrown([&] { extractFrames(folder / row.file, workers.decoder()); });
        EXPECT_TRUE(failure.starts_with(row.message)) << failure;
        EXPECT_FALSE(fs::exists(outputFolderFor(folder / row.file)));
    }
}

// Between the first image and the last, something happens to the video or the folder.
TEST(BadInput, aVideoOrFolderChangedMidJobIsAClearError)
{
    const fs::path folder = scratchFolder("midJob");
    const fs::path other = makeClip(folder / "other.mov", Clip{.frames = 12, .output = shortClip.output});
    const struct {
        const char* name;
        std::function<void(const fs::path& video)> act;
        std::string message;
    } rows[] = {
        {"videoRemoved", [](const fs::path& video) { fs::remove(video); },
         "removed: trip.mov"},
        {"videoReplaced",
         [&](const fs::path& video) {
             fs::copy_file(other, folder / "new.mov", fs::copy_options::overwrite_existing);
             fs::rename(folder / "new.mov", video);
         },
         "changed: trip.mov"},
        {"videoRewrittenInPlace", [&](const fs::path& video) { writeFile(video, contents(other)); },
         "changed: trip.mov"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path video = makeClip(folder / "trip.mov", shortClip);
        bool acted = false;
        EXPECT_EQ(thrown([&] {
                      extractFrames(video, [&](int fd, const fs::path& name, const EncodedHandler& onPicture, const JobControl&) {
                          decodeFrames(fd, name, [&](Picture picture, std::vector<std::uint8_t> png) {
                              if (picture == Picture::first && !std::exchange(acted, true))
                                  row.act(video);
                              onPicture(picture, std::move(png));
                          });
                      });
                  }),
                  row.message);
        // The earlier pair stays as it was: here, no folder at all.
        EXPECT_FALSE(fs::exists(folder / "trip"));
    }
}

// A large frame on a machine short of memory: the job ends with a message, not
// std::bad_alloc. Run in a child process whose address space is capped.
TEST(BadInput, runningOutOfMemoryIsAClearError)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer needs far more address space than the cap";
#endif
    const fs::path video = scratchFolder("memory") / "huge.avi";
    ASSERT_TRUE(ffmpeg("-f lavfi -i color=c=gray:s=5600x5600 -frames:v 1 -c:v mjpeg -q:v 31 " + quoted(video)));
    EXPECT_EQ(inChild([&] {
                  // Not room enough for the decoded picture (47 MB) and its RGB image (94 MB).
                  const rlim_t cap = std::stoull(contents("/proc/self/statm")) * ::sysconf(_SC_PAGESIZE) + (64ull << 20);
                  const rlimit limit{cap, cap};
                  ::setrlimit(RLIMIT_AS, &limit);
                  return thrown([&] { extractFrames(video, decodeFrames); });
              }),
              "outOfMemory: huge.avi");
}

} // namespace
