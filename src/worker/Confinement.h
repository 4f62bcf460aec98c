#pragma once

#include <cstdint>
#include <string>

// What a worker that decodes untrusted video may still do: read the system's libraries
// (libavfilter is loaded late, for HDR video), use the descriptors it was handed and start
// threads; no other file, no new socket, no program, no other process, bounded memory.
namespace Confinement {

struct InForce {
    int landlockAbi = 0;            // the Landlock ABI whose rules are enforced; 0: none
    bool seccomp = false;           // the system call filter
    std::uint64_t memoryLimit = 0;  // bytes of data (RLIMIT_DATA); 0: no limit set
};

// Confines the calling process for good. Call it single-threaded, before any input is read.
// What the kernel lacks is left out; a facility it has but refuses throws std::system_error.
InForce confine();

// "Landlock ABI 7, seccomp, memory limit 1 GiB"; what is missing says so ("no Landlock").
std::string describe(const InForce&);

} // namespace Confinement
