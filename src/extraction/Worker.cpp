#include "Worker.h"

#include "Failure.h"
#include "PngCheck.h"
#include "WorkerProtocol.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <optional>
#include <spawn.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <string_view>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace FrameExtractor {

namespace {

namespace Protocol = WorkerProtocol;

constexpr int controlFdOfServer = 3;
using Protocol::logVariable;

[[noreturn]] void workerStopped(const std::string& fileName, const std::string& reason)
{
    throw Failure(Failure::Kind::workerStopped, fileName, reason);
}

std::string systemText(int error)
{
    return std::generic_category().message(error);
}

// sigdescr_np, not strsignal: it is safe on many threads at once and stays English whatever
// locale the application has set.
std::string howItEnded(int status)
{
    if (WIFSIGNALED(status)) {
        const char* name = ::sigdescr_np(WTERMSIG(status));
        return name ? name : "signal " + std::to_string(WTERMSIG(status));
    }
    return "exit status " + std::to_string(WEXITSTATUS(status));
}

// Every job is a fresh child, whose memory starts untouched: with 4 KiB pages it pays a
// page fault for each of the decoder's thousands of pages, which on a virtual machine costs
// more than the rest of a short job. So malloc takes large blocks from a heap grown 64 MiB
// at a time, in one arena, advised for huge pages: a few hundred faults per job instead.
// The user's own settings come after ours and win. Nothing else of the environment goes to
// a process that reads untrusted video, but what the loader needs to find the libraries as
// the user set them up, the sanitizers' settings and our log switch.
std::vector<std::string> serverEnvironment()
{
    std::string tunables = "GLIBC_TUNABLES=glibc.malloc.hugetlb=1:glibc.malloc.mmap_threshold=67108864:"
                           "glibc.malloc.top_pad=67108864:glibc.malloc.arena_max=1";
    std::vector<std::string> environment;
    for (char** variable = environ; *variable; ++variable) {
        const std::string_view text(*variable);
        const std::string_view name = text.substr(0, text.find('='));
        if (name == "GLIBC_TUNABLES")
            tunables.append(":").append(text.substr(name.size() + 1));
        else if (name == logVariable || name == "LD_LIBRARY_PATH" || name == "LD_PRELOAD" || name.ends_with("SAN_OPTIONS"))
            environment.emplace_back(text);
    }
    environment.push_back(std::move(tunables));
    return environment;
}

// One owner for posix_spawn's file actions or attributes, made by `init`, freed by `destroy`.
template <typename T, int (*init)(T*), int (*destroy)(T*)>
struct SpawnObject {
    T value;
    SpawnObject()
    {
        if (init(&value) != 0)
            throw std::bad_alloc();
    }
    ~SpawnObject() { destroy(&value); }
    SpawnObject(const SpawnObject&) = delete;
    SpawnObject& operator=(const SpawnObject&) = delete;
};
using SpawnActions = SpawnObject<posix_spawn_file_actions_t, ::posix_spawn_file_actions_init, ::posix_spawn_file_actions_destroy>;
using SpawnAttributes = SpawnObject<posix_spawnattr_t, ::posix_spawnattr_init, ::posix_spawnattr_destroy>;

// What the worker is told of the video's name: its extension, which helps the demuxer's probe
// where the bytes alone are ambiguous, and nothing that says whose file it is.
std::string probeName(const std::string& fileName)
{
    std::string extension = fs::path(fileName).extension().string();
    const bool plain = extension.size() <= 12
        && std::all_of(extension.begin() + (extension.empty() ? 0 : 1), extension.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
    return "video" + (plain ? extension : std::string());
}

// One request: whether the server is to load the libraries first and the probe name as the
// bytes, the three descriptors in one SCM_RIGHTS.
// SEQPACKET delivers it whole or not at all. False with errno set.
bool sendRequest(int control, int videoFd, int resultFd, int statusFd, bool loadLibraries, const std::string& name)
{
    std::string flagAndName(1, loadLibraries ? 'L' : '-');
    flagAndName += name;
    iovec bytes{flagAndName.data(), flagAndName.size()};
    alignas(cmsghdr) char buffer[CMSG_SPACE(3 * sizeof(int))] = {};
    msghdr message{};
    message.msg_iov = &bytes;
    message.msg_iovlen = 1;
    message.msg_control = buffer;
    message.msg_controllen = sizeof buffer;
    cmsghdr* fds = CMSG_FIRSTHDR(&message);
    fds->cmsg_level = SOL_SOCKET;
    fds->cmsg_type = SCM_RIGHTS;
    fds->cmsg_len = CMSG_LEN(3 * sizeof(int));
    const int three[3] = {videoFd, resultFd, statusFd};
    std::memcpy(CMSG_DATA(fds), three, sizeof three);
    for (;;) {
        if (::sendmsg(control, &message, MSG_NOSIGNAL) >= 0)
            return true;
        if (errno != EINTR)
            return false;
    }
}

bool serverGone(int error)
{
    return error == EPIPE || error == ECONNRESET || error == ECONNREFUSED || error == ENOTCONN;
}

} // namespace

fs::path workerProgram()
{
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return {}; // run() then reports that the worker cannot be started
    return (self.parent_path() / "../libexec/framepicker/framepicker-worker").lexically_normal();
}

WorkerClient::WorkerClient(fs::path program, std::chrono::milliseconds patience)
    : m_program(std::move(program))
    , m_patience(patience)
    , m_showLog(std::getenv(logVariable) != nullptr)
{
}

WorkerClient::~WorkerClient()
{
    stop();
}

void WorkerClient::run(int videoFd, const std::string& fileName, const EncodedHandler& onImage, const JobControl& control)
{
    if (!runOnce(videoFd, fileName, onImage, control) && !runOnce(videoFd, fileName, onImage, control))
        throw Failure(Failure::Kind::unconvertibleColours, fileName, "libavfilter cannot be loaded");
}

// False when the child needed a library its server had not loaded; the next request asks
// the server to load it first.
bool WorkerClient::runOnce(int videoFd, const std::string& fileName, const EncodedHandler& onImage, const JobControl& control)
{
    using Clock = std::chrono::steady_clock;
    // Unlisted before they close, so stop() never shuts down a number reused by then.
    struct Reading {
        WorkerClient& server;
        Channels channels;
        ~Reading()
        {
            const std::lock_guard lock(server.m_mutex);
            std::erase(server.m_reading, channels.results.get());
            std::erase(server.m_reading, channels.status.get());
        }
    } reading{*this, request(videoFd, fileName)};
    // A stop wakes the reading below, and the server, seeing its end of the job's sockets
    // hang up, kills the child. Gone before the sockets close.
    const std::stop_callback stopping(control.stop, [&channels = reading.channels] {
        ::shutdown(channels.results.get(), SHUT_RDWR);
        ::shutdown(channels.status.get(), SHUT_RDWR);
    });
    const auto cancelled = [&] { return control.stop.stop_requested() || stopped(); };

    // Progress is the bytes the demuxer has read. Seeking back near the end reads parts of a
    // video again, never a whole video dozens of times; and a worker reports at most a few
    // times a second, so a flood of progress is a worker that has been taken over.
    struct stat video {};
    const std::uint64_t mostRead = (::fstat(videoFd, &video) == 0 ? static_cast<std::uint64_t>(video.st_size) : 0) * 64 + (64 << 20);
    const auto started = Clock::now();
    std::uint64_t read = 0, progressMessages = 0;
    double done = 0;
    // Progress keeps a job going, but not for ever: a worker that reports a byte now and then
    // would.
    const auto lastChance = started + std::chrono::minutes(10) + std::chrono::seconds(video.st_size >> 20);
    auto deadline = started + m_patience;
    const auto patience = [&] { return std::min(deadline, lastChance); };
    const auto checked = [&](std::vector<std::uint8_t> png) {
        if (const std::optional<std::string> problem = pngProblem(png))
            workerStopped(fileName, "sent " + *problem);
        return png;
    };

    bool haveFirst = false;
    try {
        while (std::optional<Protocol::Message> message = Protocol::receive(reading.channels.results.get(), patience())) {
            switch (message->type) {
            case Protocol::Type::progress: {
                const Progress now = Protocol::progressOf(*message);
                const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started);
                if (now.bytesRead < read || now.bytesRead > mostRead || now.done < done
                    || ++progressMessages > 100 + static_cast<std::uint64_t>(elapsed.count()) / 20)
                    throw Protocol::Malformed();
                if (now.bytesRead > read)
                    deadline = Clock::now() + m_patience;
                read = now.bytesRead;
                done = now.done;
                if (control.onProgress)
                    control.onProgress(now);
                break;
            }
            case Protocol::Type::firstImage:
                if (haveFirst)
                    throw Protocol::Malformed();
                haveFirst = true;
                onImage(Picture::first, checked(std::move(message->payload)));
                deadline = Clock::now() + m_patience;
                break;
            case Protocol::Type::lastImage:
                if (!haveFirst)
                    throw Protocol::Malformed();
                // Both pictures are here: how the child then ends changes nothing, and its
                // exit (its memory given back) need not hold up the writing of the pair.
                onImage(Picture::last, checked(std::move(message->payload)));
                return true;
            case Protocol::Type::libraryNeeded: {
                const std::lock_guard lock(m_mutex);
                m_loadLibraries = true;
                return false;
            }
            case Protocol::Type::log:
                if (!m_showLog)
                    throw Protocol::Malformed();
                std::fprintf(stderr, "framepicker-worker: %s\n", Protocol::printableText(message->payload).c_str());
                break;
            case Protocol::Type::exit: throw Protocol::Malformed(); // the server's word, not the child's
            default: Protocol::rethrow(*message, fileName, haveFirst ? "last.png" : "first.png");
            }
        }
        // The child closed its end without both pictures: the server tells how it ended.
        deadline = Clock::now() + m_patience;
        if (const std::optional<Protocol::Message> exit = Protocol::receive(reading.channels.status.get(), patience());
            exit && !cancelled())
            workerStopped(fileName, howItEnded(Protocol::waitStatusOf(*exit)));
    } catch (const Protocol::Silent&) {
        if (cancelled())
            throw Cancelled();
        throw Failure(Failure::Kind::notResponding, fileName);
    } catch (const Protocol::Malformed& error) {
        if (cancelled())
            throw Cancelled();
        workerStopped(fileName, error.what());
    }
    // The end without an exit message: a stop shut the socket, or the server itself died.
    if (cancelled())
        throw Cancelled();
    workerStopped(fileName, "the worker's server ended");
}

void WorkerClient::stop()
{
    const std::lock_guard lock(m_mutex);
    m_stopped = true;
    endServer();
    // Wakes every run() blocked in read; the write ends may live on in dying children.
    for (int fd : m_reading)
        ::shutdown(fd, SHUT_RDWR);
}

// Returns the read ends of a fresh result socket, whose write end is with the child only,
// and of a status socket, whose write end is with the server only; both listed in m_reading.
WorkerClient::Channels WorkerClient::request(int videoFd, const std::string& fileName)
{
    const std::lock_guard lock(m_mutex);
    if (m_stopped)
        throw Cancelled();
    // CLOEXEC on everything: other threads may spawn programs at any moment, and a copy of a
    // write end in one of them would keep the stream from ever ending.
    int results[2], status[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, results) != 0)
        workerStopped(fileName, systemText(errno));
    Channels channels{UniqueFd(results[0]), {}};
    const UniqueFd resultsWriting(results[1]);
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, status) != 0)
        workerStopped(fileName, systemText(errno));
    channels.status = UniqueFd(status[0]);
    const UniqueFd statusWriting(status[1]);

    for (int attempt = 0;; ++attempt) {
        // A server that died on its own is a zombie until reaped: reap it and start another.
        if (m_pid > 0 && ::waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
            m_pid = -1;
            m_control.reset();
        }
        if (m_pid < 0)
            startServer(fileName);
        if (sendRequest(m_control.get(), videoFd, resultsWriting.get(), statusWriting.get(), m_loadLibraries, probeName(fileName)))
            break;
        const int error = errno;
        // Anything but a vanished server (a bad descriptor, no memory) is this job's failure
        // alone: the server and the other jobs in it carry on.
        if (!serverGone(error) || attempt == 1)
            workerStopped(fileName, systemText(error));
        endServer();
    }
    m_reading.push_back(channels.results.get());
    m_reading.push_back(channels.status.get());
    return channels;
}

void WorkerClient::startServer(const std::string& fileName)
{
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, pair) != 0)
        workerStopped(fileName, systemText(errno));
    UniqueFd control(pair[0]);
    const UniqueFd serverEnd(pair[1]);

    SpawnActions actions;
    // dup2 clears close-on-exec on the copy, even when the numbers are equal (glibc >= 2.29).
    // The server and its children never touch the user's terminal or pipes: 0, 1 and 2 are
    // /dev/null, and a session of their own leaves them no controlling terminal.
    if (::posix_spawn_file_actions_adddup2(&actions.value, serverEnd.get(), controlFdOfServer) != 0
        || ::posix_spawn_file_actions_addopen(&actions.value, STDIN_FILENO, "/dev/null", O_RDONLY, 0) != 0
        || ::posix_spawn_file_actions_addopen(&actions.value, STDOUT_FILENO, "/dev/null", O_WRONLY, 0) != 0
        || ::posix_spawn_file_actions_addopen(&actions.value, STDERR_FILENO, "/dev/null", O_WRONLY, 0) != 0)
        throw std::bad_alloc();
    // The spawning thread's mask and the application's ignored signals would otherwise pass
    // to the server (Qt and thread pools block signals in their threads).
    SpawnAttributes attributes;
    sigset_t none;
    sigset_t all;
    ::sigemptyset(&none);
    ::sigfillset(&all);
    ::posix_spawnattr_setsigmask(&attributes.value, &none);
    ::posix_spawnattr_setsigdefault(&attributes.value, &all);
    ::posix_spawnattr_setflags(&attributes.value, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);

    const std::string program = m_program.string();
    char* const argv[] = {const_cast<char*>(program.c_str()), nullptr};
    std::vector<std::string> environment = serverEnvironment();
    std::vector<char*> envp;
    for (std::string& variable : environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    pid_t pid = -1;
    const int error = ::posix_spawn(&pid, program.c_str(), &actions.value, &attributes.value, argv, envp.data());
    if (error != 0)
        workerStopped(fileName, "cannot start " + program + ": " + systemText(error));
    // No parent death signal for the server: it would follow the spawning thread, which may
    // be a pool thread that ends long before the process. The server ends when the control
    // socket hangs up instead, which happens when this process dies.
    m_pid = pid;
    m_control = std::move(control);
}

// Called with m_mutex held. The children die with the server (their parent death signal).
void WorkerClient::endServer()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        while (::waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
        }
        m_pid = -1;
    }
    m_control.reset();
}

bool WorkerClient::stopped()
{
    const std::lock_guard lock(m_mutex);
    return m_stopped;
}

Decoder WorkerClient::decoder()
{
    return [this](int fd, const fs::path& video, const EncodedHandler& onPicture, const JobControl& control) {
        const std::string name = video.filename().string();
        try {
            run(fd, name, onPicture, control);
        } catch (const std::bad_alloc&) {
            // Room for an image the worker announced.
            throw Failure(Failure::Kind::outOfMemory, name);
        }
    };
}

std::string describeConfinement(const fs::path& program)
{
    int channel[2];
    if (::pipe2(channel, O_CLOEXEC) != 0)
        return "worker confinement: unknown (" + systemText(errno) + ")";
    UniqueFd reading(channel[0]);
    UniqueFd writing(channel[1]);
    SpawnActions actions;
    ::posix_spawn_file_actions_adddup2(&actions.value, writing.get(), STDOUT_FILENO);
    const std::string path = program.string();
    char* arguments[] = {const_cast<char*>(path.c_str()), const_cast<char*>("--confinement"), nullptr};
    pid_t pid = -1;
    if (const int error = ::posix_spawn(&pid, path.c_str(), &actions.value, nullptr, arguments, environ); error != 0)
        return "worker confinement: unknown (cannot start " + path + ": " + systemText(error) + ")";
    writing.reset();
    std::string line;
    char buffer[256];
    for (ssize_t n; (n = ::read(reading.get(), buffer, sizeof buffer)) != 0;) {
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            break;
        line.append(buffer, static_cast<std::size_t>(n));
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    while (!line.empty() && line.back() == '\n')
        line.pop_back();
    return line.empty() ? "worker confinement: unknown (" + howItEnded(status) + ")" : line;
}

} // namespace FrameExtractor
