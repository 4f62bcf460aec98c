#include "ForkServer.h"

#include "extraction/UniqueFd.h"
#include "extraction/WorkerProtocol.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <system_error>
#include <vector>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/signalfd.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ForkServer {

namespace {

using FrameExtractor::UniqueFd;
namespace Protocol = FrameExtractor::WorkerProtocol;

struct Child {
    pid_t pid;
    UniqueFd status; // the exit message goes here; the child never holds it
    bool killed = false;
};

// A last message the reader has not taken yet; written without blocking, so one slow reader
// cannot hold up the other jobs.
struct Outgoing {
    UniqueFd fd;
    std::vector<std::uint8_t> bytes;
    std::size_t sent = 0;
};

std::vector<UniqueFd> receivedDescriptors(msghdr& message)
{
    std::vector<UniqueFd> fds;
    for (cmsghdr* header = CMSG_FIRSTHDR(&message); header; header = CMSG_NXTHDR(&message, header)) {
        if (header->cmsg_level != SOL_SOCKET || header->cmsg_type != SCM_RIGHTS)
            continue;
        const std::size_t count = (header->cmsg_len - CMSG_LEN(0)) / sizeof(int);
        for (std::size_t i = 0; i < count; ++i) {
            int fd = -1;
            std::memcpy(&fd, CMSG_DATA(header) + i * sizeof fd, sizeof fd);
            fds.emplace_back(fd);
        }
    }
    return fds;
}

class Server {
public:
    Server(int control, UniqueFd signals, const sigset_t& jobMask, const Job& job, const Loader& load)
        : m_control(control), m_signals(std::move(signals)), m_jobMask(jobMask), m_job(job), m_load(load), m_pid(::getpid())
    {
    }

    int serve();

private:
    bool receive();
    void start(UniqueFd video, UniqueFd results, UniqueFd status, const std::string& fileName);
    [[noreturn]] void runChild(int video, int results, const std::string& fileName);
    void closeAllBut(int video, int results);
    void reap();
    void flush();
    void shutDown();

    int m_control;
    UniqueFd m_signals;
    sigset_t m_jobMask;
    const Job& m_job;
    const Loader& m_load;
    bool m_loaded = false;
    pid_t m_pid;
    std::vector<Child> m_children;
    std::vector<Outgoing> m_outgoing;
};

int Server::serve()
{
    std::vector<pollfd> fds;
    for (;;) {
        fds.clear();
        fds.push_back({m_control, POLLIN, 0});
        fds.push_back({m_signals.get(), POLLIN, 0});
        // No events asked: poll reports POLLHUP anyway, which is the reader giving up.
        for (const Child& child : m_children)
            fds.push_back({child.killed ? -1 : child.status.get(), 0, 0});
        for (const Outgoing& out : m_outgoing)
            fds.push_back({out.fd.get(), POLLOUT, 0});
        const std::size_t polledChildren = m_children.size();
        if (::poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            shutDown();
            return 1;
        }

        if (fds[0].revents & POLLNVAL) {
            shutDown();
            return 1;
        }
        // A hang-up ends the server even with requests queued: nobody is left to read results.
        if ((fds[0].revents & (POLLHUP | POLLERR)) || ((fds[0].revents & POLLIN) && !receive())) {
            shutDown();
            return 0;
        }
        for (std::size_t i = 0; i < polledChildren; ++i) {
            if (fds[2 + i].revents & (POLLHUP | POLLERR)) {
                ::kill(m_children[i].pid, SIGKILL);
                m_children[i].killed = true;
            }
        }
        if (fds[1].revents & POLLIN)
            reap();
        flush();
    }
}

// False when the other end has hung up.
bool Server::receive()
{
    char name[Protocol::maxTextBytes];
    alignas(cmsghdr) char control[CMSG_SPACE(3 * sizeof(int))];
    iovec bytes{name, sizeof name};
    msghdr message{};
    message.msg_iov = &bytes;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    const ssize_t size = ::recvmsg(m_control, &message, MSG_DONTWAIT | MSG_CMSG_CLOEXEC);
    if (size < 0)
        return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    std::vector<UniqueFd> fds = receivedDescriptors(message);
    // SEQPACKET reads an empty message as 0 too, but a request always carries descriptors.
    if (size == 0 && fds.empty())
        return false;
    // Descriptors beyond the buffer were closed by the kernel (MSG_CTRUNC); these close as
    // they go out of scope, and the reader sees its results end without an exit message.
    if ((message.msg_flags & (MSG_TRUNC | MSG_CTRUNC)) || fds.size() != 3 || size < 1)
        return true;
    if (name[0] == 'L' && !m_loaded) {
        m_load();
        m_loaded = true;
    }
    start(std::move(fds[0]), std::move(fds[1]), std::move(fds[2]), std::string(name + 1, static_cast<std::size_t>(size - 1)));
    return true;
}

// The server's copies of the video and of the result socket close on return: the child has
// its own, and the reader sees the results end when the child's copy goes.
void Server::start(UniqueFd video, UniqueFd results, UniqueFd status, const std::string& fileName)
{
    const pid_t pid = ::fork();
    if (pid == 0)
        runChild(video.get(), results.get(), fileName);
    if (pid < 0) {
        // An exit status of the server's own making: the job ends as a worker that stopped.
        m_outgoing.push_back({std::move(status), Protocol::encode(Protocol::Type::exit, Protocol::exitPayload(W_EXITCODE(127, 0)))});
        return;
    }
    m_children.push_back({pid, std::move(status)});
}

void Server::runChild(int video, int results, const std::string& fileName)
{
    // A child must not outlive the server: nobody would read its results, and a decoder left
    // behind would go on using the machine. The parent death signal follows the server's
    // only thread, which is the server itself.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    // The server may have died before that took effect; then the child is already an orphan.
    if (::getppid() != m_pid)
        ::_exit(1);
    ::sigprocmask(SIG_SETMASK, &m_jobMask, nullptr);
    closeAllBut(video, results);
    // A session of its own: no controlling terminal (the server has none either), and no
    // process group shared with the server or the other jobs.
    ::setsid();

    // _exit, not exit: the server's atexit handlers and stdio buffers are not the child's.
    int status = 0;
    try {
        m_job(video, fileName, results);
    } catch (...) {
        Protocol::reportFailure(results, std::current_exception());
        status = 1;
    }
    ::_exit(status);
}

// The control socket, the signal descriptor and other jobs' result sockets are none of this
// child's business; nor is anything a library opened in the server.
void Server::closeAllBut(int video, int results)
{
    const unsigned keep[] = {static_cast<unsigned>(std::min(video, results)),
                             static_cast<unsigned>(std::max(video, results))};
    unsigned next = 3;
    bool closed = true;
    for (unsigned fd : keep) {
        if (fd < next)
            continue;
        if (fd > next)
            closed = closed && ::close_range(next, fd - 1, 0) == 0;
        next = fd + 1;
    }
    closed = closed && ::close_range(next, ~0U, 0) == 0;
    if (closed)
        return;
    // Kernels before 5.9 lack close_range: close at least what the server holds.
    ::close(m_control);
    ::close(m_signals.get());
    for (const Child& child : m_children)
        ::close(child.status.get());
    for (const Outgoing& out : m_outgoing)
        ::close(out.fd.get());
}

void Server::reap()
{
    // One signal may stand for several children (signals do not queue): drain, then reap
    // until none is left.
    signalfd_siginfo info;
    while (::read(m_signals.get(), &info, sizeof info) > 0) {
    }
    for (;;) {
        int status = 0;
        const pid_t pid = ::waitpid(-1, &status, WNOHANG);
        if (pid < 0 && errno == EINTR)
            continue;
        if (pid <= 0)
            return;
        const auto child = std::find_if(m_children.begin(), m_children.end(), [pid](const Child& c) { return c.pid == pid; });
        if (child == m_children.end())
            continue;
        m_outgoing.push_back({std::move(child->status), Protocol::encode(Protocol::Type::exit, Protocol::exitPayload(status))});
        m_children.erase(child);
    }
}

void Server::flush()
{
    for (std::size_t i = 0; i < m_outgoing.size();) {
        Outgoing& out = m_outgoing[i];
        bool waiting = false;
        while (out.sent < out.bytes.size()) {
            const ssize_t n = ::send(out.fd.get(), out.bytes.data() + out.sent, out.bytes.size() - out.sent,
                                     MSG_DONTWAIT | MSG_NOSIGNAL);
            if (n >= 0) {
                out.sent += static_cast<std::size_t>(n);
            } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
                waiting = true; // wait for POLLOUT
                break;
            } else if (errno != EINTR) {
                break; // the reader is gone
            }
        }
        if (waiting)
            ++i;
        else
            m_outgoing.erase(m_outgoing.begin() + static_cast<std::ptrdiff_t>(i)); // closing ends the reader's stream
    }
}

void Server::shutDown()
{
    for (const Child& child : m_children)
        ::kill(child.pid, SIGKILL);
    for (const Child& child : m_children)
        while (::waitpid(child.pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    m_children.clear();
    m_outgoing.clear();
}

} // namespace

int serve(int controlFd, const Job& job, const Loader& load)
{
    int type = 0;
    socklen_t length = sizeof type;
    if (::getsockopt(controlFd, SOL_SOCKET, SO_TYPE, &type, &length) != 0 || type != SOCK_SEQPACKET)
        return 1;
    // A reader that went away is an EPIPE to handle, for the server and for its children.
    ::signal(SIGPIPE, SIG_IGN);
    // Ignoring SIGCHLD would make the kernel reap the children itself, losing their statuses.
    ::signal(SIGCHLD, SIG_DFL);
    // signalfd sees only blocked signals; children get the mask back before the job runs.
    sigset_t childEnded;
    sigset_t jobMask;
    ::sigemptyset(&childEnded);
    ::sigaddset(&childEnded, SIGCHLD);
    ::sigprocmask(SIG_BLOCK, &childEnded, &jobMask);
    UniqueFd signals(::signalfd(-1, &childEnded, SFD_NONBLOCK | SFD_CLOEXEC));
    if (!signals) {
        ::sigprocmask(SIG_SETMASK, &jobMask, nullptr);
        return 1;
    }
    const int result = Server(controlFd, std::move(signals), jobMask, job, load).serve();
    ::sigprocmask(SIG_SETMASK, &jobMask, nullptr);
    return result;
}

} // namespace ForkServer
