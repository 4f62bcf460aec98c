#pragma once

#include <cstdint>
#include <string>

// What a worker that decodes untrusted video may still do: read the descriptors it was
// handed, write to its result socket, start threads and allocate private memory up to a
// limit; no file opened, no socket, no program, no other process signalled, no terminal.
namespace Confinement {

// The newest Landlock ABI whose rights this code knows; a newer kernel enforces these.
inline constexpr int knownLandlockAbi = 7;

struct InForce {
    int landlockAbi = 0;            // the Landlock ABI whose rules are enforced; 0: none
    bool seccomp = false;           // the system call filter
    std::uint64_t memoryLimit = 0;  // bytes of private memory (RLIMIT_DATA); 0: no limit set
};

// Confines the calling process for good; it may write to `resultFd` only. Call it
// single-threaded, before any input is read. Landlock is used up to `landlockAbiAtMost` as
// far as the kernel has it (a second wall: the system call filter alone keeps every file
// closed); a kernel without seccomp, or one that refuses a step, throws std::system_error.
InForce confine(int resultFd, int landlockAbiAtMost = knownLandlockAbi);

// "Landlock ABI 7, seccomp, memory limit 1 GiB"; what is missing says so ("no Landlock").
std::string describe(const InForce&);

} // namespace Confinement
