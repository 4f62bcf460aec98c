#pragma once

#include <functional>
#include <string>

// The worker's process: started once by the program that decodes, it forks a fresh child per
// video, so each one is decoded in a process of its own that can be confined and may crash,
// while the libraries are loaded once rather than once per video.
namespace ForkServer {

// Runs in the forked child with the video's descriptor, the video's file name (for messages)
// and the result socket. The child ends with _exit(0) when the job returns; an exception that
// escapes is reported on the result socket (WorkerProtocol::reportFailure), then _exit(1).
using Job = std::function<void(int videoFd, const std::string& fileName, int resultFd)>;
// Loads, in the server, what some jobs need and a confined child cannot load itself.
using Loader = std::function<void()>;

// Serves requests on controlFd, an AF_UNIX SOCK_SEQPACKET socket. A request is one message
// carrying three descriptors (SCM_RIGHTS), the video, the write end of a result socket for
// the child and the write end of a status socket for the server alone; its bytes are a flag
// ('L': call `load` first, once in the server's life; '-': not) and the name the child may
// know. Once a child has ended, the server writes the `exit` message
// with its wait status on the status socket and closes it, so that no child can forge it;
// a child whose reader closed the status socket is killed. Returns 0 when the other end
// hangs up, after killing and reaping every child; 1 if controlFd cannot be served. Leaves
// SIGPIPE ignored.
int serve(int controlFd, const Job& job, const Loader& load);

} // namespace ForkServer
