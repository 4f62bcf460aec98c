// framepicker-cli as a script uses it: output lines, messages and exit codes.
#include "Processes.h"
#include "TestMedia.h"
#include "cli/Options.h"
#include "cli/Progress.h"
#include "cli/Report.h"
#include "extraction/Failure.h"
#include "texts/CompiledTexts.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <cerrno>
#include <cstdlib>
#include <sstream>
#include <cstddef>
#include <fcntl.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <spawn.h>
#include <csignal>
#include <chrono>
#include <set>
#include <sstream>
#include <string_view>
#include <system_error>
#include <thread>
#include <tuple>
#include <unistd.h>

using namespace TestMedia;

namespace {

struct CliRun {
    int status;
    std::string out, err;
};

// Runs framepicker-cli with the arguments, and with the environment's assignments before it;
// in English unless they say otherwise.
CliRun cli(const std::string& arguments, const fs::path& folder, const std::string& environment = {})
{
    const std::string command = "export LANGUAGE= LC_ALL=C.UTF-8; " + environment + CLI_PATH + " " + arguments + " >"
        + quoted(folder / "stdout.txt") + " 2>" + quoted(folder / "stderr.txt");
    const int status = std::system(command.c_str());
    return {WEXITSTATUS(status), contents(folder / "stdout.txt"), contents(folder / "stderr.txt")};
}

// The disk fails in the middle of the last stretch: an error naming the video, not a
// last.png that is not the last frame.
TEST(Cli, aReadErrorIsNotTheEndOfTheVideo)
{
    const fs::path folder = scratchFolder("cliReadError");
    // 30 s: opening the video reads only the first few seconds.
    const fs::path video = makeClip(folder / "trip.mp4", {.frames = 900, .output = "-c:v libx264 -preset ultrafast -g 1000 -pix_fmt yuv420p -movflags +faststart"});
    const auto size = fs::file_size(video);
    const fs::path library = folder / ("read-fault-" + std::to_string(size) + "-" + std::to_string(size * 3 / 4) + ".so");
    fs::copy_file(READ_FAULT_PATH, library);
    const std::string fault = "LD_PRELOAD=" + quoted(library) + " ASAN_OPTIONS=$ASAN_OPTIONS:verify_asan_link_order=0 ";

    const CliRun run = cli(quoted(video), folder, fault);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "framepicker-cli: " + video.string()
                           + ": \u201Ctrip.mp4\u201D could not be read to the end (input/output error).\n");
    // Nothing of the failed run: no folder, no first.png without its last.png.
    EXPECT_FALSE(fs::exists(folder / "trip"));
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// A kernel that refuses to confine the decoder (here a seccomp filter of the caller's own
// that refuses to install another) gets no decoder: an error of its own, not a video blamed,
// and --version says so instead of aborting.
TEST(Cli, aRefusedConfinementIsAnErrorOfItsOwn)
{
    const fs::path folder = scratchFolder("cliNotConfined");
    const fs::path video = makeClip(folder / "trip.mp4", {});
    // In English, whatever the caller's session.
    std::vector<std::string> variables{"LANGUAGE=", "LC_ALL=C.UTF-8"};
    for (char** variable = environ; *variable; ++variable) {
        if (!std::string_view(*variable).starts_with("LANGUAGE=") && !std::string_view(*variable).starts_with("LC_ALL="))
            variables.emplace_back(*variable);
    }
    std::vector<char*> environment;
    for (std::string& variable : variables)
        environment.push_back(variable.data());
    environment.push_back(nullptr);
    const auto underRefusal = [&](const char* argument) {
        const pid_t child = ::fork();
        if (child == 0) {
            const int out = ::open((folder / "stdout.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(out, STDOUT_FILENO);
            ::dup2(out, STDERR_FILENO);
            sock_filter code[] = {
                BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
                BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_seccomp, 0, 1),
                BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EPERM),
                BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_prctl, 0, 3),
                BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[0])),
                BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, PR_SET_SECCOMP, 0, 1),
                BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EPERM),
                BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
            };
            const sock_fprog program{static_cast<unsigned short>(std::size(code)), code};
            if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0)
                ::execle(CLI_PATH, CLI_PATH, "--json", argument, nullptr, environment.data());
            ::_exit(127);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return std::make_pair(WIFEXITED(status) ? WEXITSTATUS(status) : -1, contents(folder / "stdout.txt"));
    };
    const auto [versionStatus, version] = underRefusal("--version");
    EXPECT_EQ(versionStatus, 0);
    EXPECT_NE(version.find("worker confinement: refused ("), std::string::npos) << version;
    const auto [jobStatus, job] = underRefusal(video.c_str());
    EXPECT_EQ(jobStatus, 1);
    EXPECT_NE(job.find("\"kind\":\"notConfined\""), std::string::npos) << job;
    EXPECT_FALSE(fs::exists(folder / "trip"));
}

// One line per video in input order, errors on stderr and on to the next video; many
// videos at once give what one at a time gives: the same lines, the same images; two
// videos that share a folder still leave the later one's two images.
TEST(Cli, parallelRunsGiveWhatOneAtATimeGives)
{
    const fs::path folder = scratchFolder("cliParallel");
    std::string arguments;
    for (int i = 0; i < 6; ++i) {
        arguments += quoted(makeClip(folder / ("clip" + std::to_string(i) + ".mp4"), {.frames = 3 + i})) + " ";
        if (i == 2)
            arguments += quoted(folder / "missing.mp4") + " ";
    }
    writeFile(folder / "broken.mp4", "not a video");
    arguments += quoted(folder / "broken.mp4") + " " + quoted(makeClip(folder / "twin.mov", {.frames = 12})) + " ";
    arguments += quoted(makeClip(folder / "twin.mp4", Clip{.frames = 4}));

    const CliRun one = cli("--jobs 1 " + arguments, folder);
    EXPECT_EQ(one.status, 1);
    std::string folders;
    for (const char* name : {"clip0", "clip1", "clip2", "clip3", "clip4", "clip5", "twin", "twin"})
        folders += (folder / name).string() + "\n";
    EXPECT_EQ(one.out, folders);
    const std::vector<std::string> errors = linesOf(one.err);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0], "framepicker-cli: " + (folder / "missing.mp4").string() + ": \u201Cmissing.mp4\u201D could not be found.");
    EXPECT_EQ(errors[1].rfind("framepicker-cli: " + (folder / "broken.mp4").string() + ": \u201Cbroken.mp4\u201D", 0), 0u);
    EXPECT_EQ(cli(quoted(folder / "clip0.mp4"), folder).status, 0);
    for (const char* jobs : {"--jobs=4 ", "-j3 ", ""}) {
        fs::remove_all(folder / "twin");
        const CliRun many = cli(jobs + arguments, folder);
        EXPECT_EQ(std::tie(many.status, many.out, many.err), std::tie(one.status, one.out, one.err)) << jobs;
        EXPECT_EQ(readMarks(readPNG(folder / "twin" / "last.png")).index, 3) << jobs;
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(readMarks(readPNG(folder / ("clip" + std::to_string(i)) / "last.png")).index, 2 + i) << jobs << i;
    }
    // As they finish: the same lines, in any order.
    const std::vector<std::string> expected = linesOf(one.out), got = linesOf(cli("--unordered -j4 " + arguments, folder).out);
    EXPECT_TRUE(std::is_permutation(got.begin(), got.end(), expected.begin(), expected.end()));
}

// --output: each video's folder under the given one, at the video's path, so videos of
// the same name from different folders keep theirs; .. never climbs out. --json: one
// object per video that parses, with the images or the error.
TEST(Cli, outputFolderAndJson)
{
    const fs::path folder = scratchFolder("cliOutput");
    makeClip(folder / "a" / "trip.mp4", Clip{.frames = 3});
    makeClip(folder / "b" / "trip.mp4", Clip{.frames = 5});
    const std::string inFolder = "cd " + quoted(folder) + " && ";
    const CliRun run = cli("--json -o out a/trip.mp4 ./b/../b/trip.mp4 ../cliOutput/a/trip.mp4 missing.mp4", folder, inFolder);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(readMarks(readPNG(folder / "out" / "a" / "trip" / "last.png")).index, 2);
    EXPECT_EQ(readMarks(readPNG(folder / "out" / "b" / "trip" / "last.png")).index, 4);
    EXPECT_EQ(readMarks(readPNG(folder / "out" / folder.relative_path() / "a" / "trip" / "last.png")).index, 2);
    EXPECT_FALSE(fs::exists(folder / "a" / "trip"));

    const std::vector<std::string> lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 4u);
    std::vector<QJsonObject> objects;
    for (const std::string& line : lines) {
        QJsonParseError error{};
        objects.push_back(QJsonDocument::fromJson(QByteArray::fromStdString(line), &error).object());
        EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
    }
    EXPECT_EQ(objects[0]["video"].toString(), QStringLiteral("a/trip.mp4"));
    EXPECT_EQ(objects[0]["folder"].toString().toStdString(), (folder / "out" / "a" / "trip").string());
    EXPECT_EQ(objects[1]["last"].toString().toStdString(), (folder / "out" / "b" / "trip" / "last.png").string());
    EXPECT_EQ(objects[3]["error"].toString(), QString::fromUtf8("\u201Cmissing.mp4\u201D could not be found."));
    EXPECT_EQ(objects[3]["kind"].toString(), QStringLiteral("notFound"));
    EXPECT_FALSE(objects[3].contains(QStringLiteral("folder")));

    // A German session reads what the window shows it; scripts read the same kind.
    const CliRun german = cli("--json missing.mp4", folder, inFolder + "LANGUAGE=de LC_ALL=de_DE.UTF-8 ");
    EXPECT_EQ(german.err, "framepicker-cli: missing.mp4: \u201Emissing.mp4\u201C wurde nicht gefunden.\n");
    EXPECT_NE(german.out.find("\"kind\":\"notFound\""), std::string::npos) << german.out;

    // Where the folder beside the video cannot be written, the line says how to write
    // elsewhere, as the window offers another folder; not where another would not help.
    // JSON keeps the window's sentence.
    using FrameExtractor::Failure;
    using Kind = Failure::Kind;
    const std::tuple<Kind, int, bool> places[] = {
        {Kind::cannotCreateFolder, EROFS, true}, {Kind::cannotCreateFolder, EACCES, true}, {Kind::cannotWrite, EPERM, true},
        {Kind::cannotCreateFolder, ENOSPC, false}, {Kind::foreignFolder, EPERM, true}, {Kind::untrustedLink, EPERM, true},
        {Kind::folderInUse, EWOULDBLOCK, true}};
    for (const auto& [kind, code, offered] : places) {
        const Cli::Lines place = Cli::reportLines("trip.mov", {{}, std::make_exception_ptr(Failure(
            kind, "/media/card/trip", std::error_code(code, std::generic_category())))}, true);
        EXPECT_EQ(place.err.find(" -o DIR ") != std::string::npos, offered) << place.err;
        EXPECT_EQ(place.out.find("-o DIR"), std::string::npos) << place.out;
    }

    // Scripts tell every failure by its kind's stable name.
    const auto kindOf = [](std::exception_ptr failure) {
        return QJsonDocument::fromJson(QByteArray::fromStdString(Cli::reportLines("v", {{}, failure}, true).out))
            .object()["kind"].toString().toStdString();
    };
    // Released names never change, nor their order (the worker's numbers); a kind added since
    // has a name of its own.
    std::istringstream released("notFound folder notRegular unreadable noVideo unsupportedFormat undecodable noPicture "
                                "readFailed tooLarge extremeAspectRatio unscalable unconvertiblePixels unconvertibleColours "
                                "outOfMemory removed changed noLongerReadable workerStopped notConfined notResponding "
                                "cannotCreateFolder cannotWrite untrustedLink foreignFolder folderInUse cannotSavePNG");
    std::set<std::string> names;
    for (std::size_t i = 0; i < FrameExtractor::kindCount(); ++i) {
        const std::string name = kindOf(std::make_exception_ptr(Failure(static_cast<Kind>(i), "v", "why")));
        std::string expected;
        EXPECT_TRUE(names.insert(name).second && (!(released >> expected) || name == expected)) << i << ": " << name;
    }
    EXPECT_TRUE(released.eof()) << "a released kind is gone";
}

// What the options say, parsed as other command-line tools parse them; what the program
// answers for a command line that makes no sense, --help and --version.
TEST(Cli, optionsParseAsGetoptLongDoesAndUsageErrorsHelpAndVersion)
{
    const auto parse = [](const std::string& line) {
        std::vector<std::string> arguments;
        std::istringstream words(line);
        for (std::string word; words >> word;)
            arguments.push_back(word);
        return Cli::parseOptions(arguments, 2);
    };
    for (const char* line : {"-j4 a", "-j 4 a", "--jobs=4 a", "--jobs 4 a", "a -j4", "-j9 --jobs=4 a"}) {
        const Cli::Options options = parse(line);
        EXPECT_EQ(options.jobs, 4u) << line;
        EXPECT_EQ(options.videos, std::vector<std::string>{"a"}) << line;
    }
    const Cli::Options options = parse("-qoDIR a --json -- --unordered -b.mp4");
    EXPECT_EQ(options.output, fs::path("DIR"));
    EXPECT_TRUE(options.json && options.quiet);
    EXPECT_TRUE(parse("a --quiet").quiet && !parse("a").quiet);
    EXPECT_TRUE(options.inInputOrder);
    EXPECT_EQ(options.jobs, 2u);
    EXPECT_EQ(options.videos, (std::vector<std::string>{"a", "--unordered", "-b.mp4"}));
    EXPECT_EQ(parse("--output out -hV").action, Cli::Options::Action::help);

    // The message's key and its argument, for a command line that makes no sense.
    const auto refusal = [&](const char* line) {
        try {
            parse(line);
        } catch (const Cli::UsageError& error) {
            return std::string(error.key) + " | " + error.argument;
        }
        return std::string("accepted");
    };
    const std::pair<const char*, const char*> wrong[] = {
        {"", "cli.noVideo | "},          {"--bogus=1 a", "cli.unknownOption %@ | --bogus=1"},
        {"-x a", "cli.unknownOption %@ | -x"}, {"-j0 a", "cli.badJobs %@ | 0"},
        {"--jobs two a", "cli.badJobs %@ | two"}, {"-j 1025 a", "cli.badJobs %@ | 1025"},
        {"a --jobs", "cli.needsValue %@ | --jobs"}, {"--output= a", "cli.emptyOutput | "},
    };
    for (const auto& [line, expected] : wrong)
        EXPECT_EQ(refusal(line), expected) << line;

    // As the program answers them.
    const fs::path folder = scratchFolder("cliUsage");
    const CliRun refused = cli("--jobs two x.mp4", folder);
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err, "framepicker-cli: 'two' is not a number of jobs from 1 to 1024\n"
                           "Try 'framepicker-cli --help' for more information.\n");
    const CliRun help = cli("--help", folder), version = cli("--version", folder);
    EXPECT_TRUE(help.status == 0 && help.out.starts_with("Usage: framepicker-cli")) << help.status << help.out;
    EXPECT_TRUE(version.status == 0 && version.out.starts_with("framepicker-cli 1.")) << version.status << version.out;
    EXPECT_NE(version.out.find("\nworker confinement: "), std::string::npos) << version.out;
    EXPECT_EQ(version.out.find("unknown"), std::string::npos) << version.out;

    // A German session reads all of them in German, the confinement line too.
    const std::string german = "LANGUAGE=de LC_ALL=de_DE.UTF-8 ";
    EXPECT_EQ(cli("--bogus x.mp4", folder, german).err,
              "framepicker-cli: unbekannte Option \u201E--bogus\u201C\n\u201Eframepicker-cli --help\u201C gibt weitere Informationen.\n");
    EXPECT_TRUE(cli("--help", folder, german).out.starts_with("Aufruf: framepicker-cli")) << cli("--help", folder, german).out;
    const std::string germanVersion = cli("--version", folder, german).out;
    EXPECT_NE(germanVersion.find("\nAbschottung des Decoders: "), std::string::npos) << germanVersion;
    EXPECT_EQ(germanVersion.find("limit"), std::string::npos) << germanVersion;
}

// The messages' language as the session names it, English where no table matches.
TEST(Cli, theSessionsLanguageFindsItsTable)
{
    const std::pair<std::vector<std::string>, const char*> sessions[] = {
        {{"de_AT.UTF-8"}, "kein Video angegeben"}, {{"it", "es_MX"}, "no se ha indicado ningún vídeo"},
        {{"zh"}, "未指定视频"}, {{"zh_TW.UTF-8"}, "no video given"}, {{"C.UTF-8"}, "no video given"}, {{}, "no video given"},
    };
    for (const auto& [languages, text] : sessions)
        EXPECT_EQ(CompiledTexts::text("cli.noVideo", languages), text) << (languages.empty() ? "" : languages[0]);

    // As gettext reads the environment: LANGUAGE's list first, then LC_ALL, LC_MESSAGES, LANG.
    const char* names[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    std::vector<std::optional<std::string>> saved;
    for (const char* name : names)
        saved.push_back(std::getenv(name) ? std::optional<std::string>(std::getenv(name)) : std::nullopt);
    const std::pair<std::array<const char*, 4>, const char*> environments[] = {
        {{"", "de_DE.UTF-8", "fr_FR.UTF-8", "fr_FR.UTF-8"}, "kein Video angegeben"},
        {{"", "", "de_DE.UTF-8", "fr_FR.UTF-8"}, "kein Video angegeben"},
        {{"", "", "", "fr_FR.UTF-8"}, "aucune vidéo indiquée"},
        {{"es:de", "de_DE.UTF-8", "", "fr_FR.UTF-8"}, "no se ha indicado ningún vídeo"},
    };
    for (const auto& [values, text] : environments) {
        for (std::size_t i = 0; i < std::size(names); ++i)
            ::setenv(names[i], values[i], 1);
        EXPECT_EQ(CompiledTexts::text("cli.noVideo", CompiledTexts::languagesOfTheEnvironment()), text) << values[0] << values[1];
    }
    for (std::size_t i = 0; i < std::size(names); ++i)
        saved[i] ? ::setenv(names[i], saved[i]->c_str(), 1) : ::unsetenv(names[i]);
}

// Any name a file may have gives one line on the terminal, with no escape sequence in it,
// and JSON that parses.
TEST(Cli, oddNamesStayOneLineAndValidJson)
{
    const std::string odd = "a\n\x1b[31m\xC2\x9B \xff\"\\\t.mp4";
    const Cli::Lines lines = Cli::reportLines(odd, {{}, std::make_exception_ptr(FrameExtractor::Failure(
                                                                FrameExtractor::Failure::Kind::notFound, odd))}, true);
    EXPECT_EQ(std::count(lines.err.begin(), lines.err.end(), '\n'), 1) << lines.err;
    EXPECT_EQ(lines.err.find_first_of("\x1b\x9B"), std::string::npos) << lines.err;
    QJsonParseError error{};
    const QJsonObject object = QJsonDocument::fromJson(QByteArray::fromStdString(lines.out), &error).object();
    EXPECT_EQ(error.error, QJsonParseError::NoError) << lines.out;
    EXPECT_EQ(object["video"].toString(), QString::fromUtf8("a\n\x1b[31m\xC2\x9B \uFFFD\"\\\t.mp4"));
}

// The running jobs as the terminal shows them: the names printable, shortened in their
// middle to the terminal's width (wide characters count twice), the percents in a column.
TEST(Cli, theProgressBlockFitsTheTerminal)
{
    const struct {
        std::vector<Cli::RunningJob> jobs;
        std::size_t columns, rows;
        std::vector<std::string> lines;
    } blocks[] = {
        {{{"a.mp4", 7}, {"clips/trip.mov", 42}}, 80, 24, {"a.mp4            7%", "clips/trip.mov  42%"}},
        {{{"clips/a-very-long-name-indeed.mp4", 99}}, 20, 24, {"clips/\u2026eed.mp4  99%"}},
        {{{"a\n\x1b[31m.mp4", 150}}, 80, 24, {"a\\n\\x1B[31m.mp4  99%"}},
        {{{"a\n\x1b[31m.mp4", 150}}, 14, 24, {"a\\n\u2026.mp4  99%"}},
        {{{"\u65E5\u672C\u8A9E\u306E\u9577\u3044\u540D\u524D.mp4", 5}}, 16, 24, {"\u65E5\u672C\u2026.mp4    5%"}},
        {{{"a.mp4", 1}, {"b.mp4", 2}, {"c.mp4", 3}}, 80, 3, {"a.mp4   1%", "\u2026 +2"}},
    };
    for (const auto& block : blocks)
        EXPECT_EQ(Cli::progressLines(block.jobs, block.columns, block.rows), block.lines) << block.jobs[0].video;
}

// Ctrl+C or a TERM in the middle of a job: the worker is gone at once, the earlier pair
// and nothing else is in the folder, and the exit status says which signal it was.
TEST(Cli, aSignalStopsTheJobAndLeavesTheEarlierPair)
{
    const fs::path folder = scratchFolder("cliSignal");
    const fs::path video = makeClip(folder / "long.mp4", Clip{.frames = 600, .width = 640, .height = 480,
        .output = "-vf noise=alls=30:allf=t -c:v libx264 -preset ultrafast -g 1000 -pix_fmt yuv420p"});
    fs::create_directory(folder / "long");
    for (const auto& [signal, status] : {std::pair{SIGINT, 130}, std::pair{SIGTERM, 143}}) {
        SCOPED_TRACE(signal);
        writeFile(folder / "long" / "first.png", "earlier first");
        writeFile(folder / "long" / "last.png", "earlier last");
        std::string program = CLI_PATH, path = video.string();
        char* arguments[] = {program.data(), path.data(), nullptr};
        pid_t cli = -1;
        ASSERT_EQ(::posix_spawn(&cli, CLI_PATH, nullptr, nullptr, arguments, environ), 0);
        // The job is under way once the worker's server has a child decoding it.
        std::vector<pid_t> decoding;
        for (int tries = 0; tries < 3000 && decoding.empty(); ++tries) {
            for (pid_t server : childrenOf(cli))
                decoding = childrenOf(server);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ASSERT_FALSE(decoding.empty());
        ::kill(cli, signal);
        int wait = 0;
        ASSERT_EQ(::waitpid(cli, &wait, 0), cli);
        EXPECT_TRUE(WIFEXITED(wait) && WEXITSTATUS(wait) == status) << wait;
        EXPECT_EQ(contents(folder / "long" / "first.png") + ", " + contents(folder / "long" / "last.png"), "earlier first, earlier last");
        EXPECT_EQ(std::distance(fs::directory_iterator(folder / "long"), fs::directory_iterator()), 2);
        for (int tries = 0; tries < 1000 && !ended(decoding[0]); ++tries)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        EXPECT_TRUE(ended(decoding[0])) << "the worker's child " << decoding[0] << " still runs";
    }

    // Ctrl+C while the pair is being put in place: the earlier pair or the new one, never a
    // new first.png beside the earlier last.png.
    const fs::path trip = makeClip(folder / "trip.mp4", Clip{.frames = 3}), library = folder / "read-fault-interrupt.so";
    fs::create_directory(folder / "trip");
    writeFile(folder / "trip" / "first.png", "earlier first");
    writeFile(folder / "trip" / "last.png", "earlier last");
    fs::copy_file(READ_FAULT_PATH, library);
    EXPECT_EQ(cli(quoted(trip), folder, "LD_PRELOAD=" + quoted(library) + " ASAN_OPTIONS=$ASAN_OPTIONS:verify_asan_link_order=0 ").status, 130);
    EXPECT_EQ(contents(folder / "trip" / "first.png") == "earlier first", contents(folder / "trip" / "last.png") == "earlier last");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "trip"), fs::directory_iterator()), 2);
}

} // namespace
