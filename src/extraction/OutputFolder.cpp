#include "OutputFolder.h"
#include "Failure.h"
#include "FileReplacement.h"
#include "UniqueFd.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace FrameExtractor {

fs::path outputFolderName(const fs::path& name)
{
    const std::string stem = name.stem().string();
    if (stem.find_first_not_of('.') != std::string::npos)
        return stem;
    // "..mp4" would give ".", "...mp4" "..": keep the whole name, its last dot made "_".
    std::string whole = name.string();
    const std::size_t dot = whole.rfind('.');
    if (dot == std::string::npos)
        return "_"; // no name at all ("/")
    whole[dot] = '_';
    return whole;
}

namespace {

[[noreturn]] void fail(Failure::Kind kind, int error, const fs::path& path)
{
    throw Failure(kind, path.string(), std::error_code(error, std::generic_category()));
}

// Root aside, what another user made is not ours to follow or fill.
bool trusted(uid_t owner)
{
    return owner == ::geteuid() || owner == 0;
}

// What the link open on `link` (O_PATH) points to; empty if it cannot be read whole.
std::string linkTarget(int link)
{
    std::string target(PATH_MAX, '\0');
    const ssize_t length = ::readlinkat(link, "", target.data(), target.size());
    if (length < 0 || std::size_t(length) == target.size())
        return {};
    target.resize(std::size_t(length));
    return target;
}

// Enters the folder `name` in `parent` as the kernel would, but one name at a time: each
// symbolic link met, `name` itself or one inside a link's target, is read here and followed
// only if the user running us or root made it, since another user's link could lead our
// images anywhere; the folder reached must be theirs too. Every step starts from the
// descriptor the one before opened, and the folder is opened through its own, so nothing
// can be swapped in between a look and a step. Something in the way that is not a folder is
// "File exists", as mkdir says.
UniqueFd enterFolder(int parent, const std::string& name, const fs::path& path, const fs::path& folder)
{
    using Kind = Failure::Kind;
    constexpr int linkLimit = 40; // the kernel's
    std::vector<std::string> ahead{name}; // the names still to take, the next one last
    UniqueFd here;                        // where we are, once a step was taken
    int at = parent;
    fs::path where = path.parent_path(); // the path of `at`, for messages
    int links = 0;
    const auto failAt = [&](int error) {
        const bool notAFolder = error == ENOTDIR || error == ELOOP || (error == ENOENT && links > 0);
        fail(Kind::cannotCreateFolder, notAFolder ? EEXIST : error, folder);
    };
    while (!ahead.empty()) {
        const std::string step = std::move(ahead.back());
        ahead.pop_back();
        if (step.empty() || step == "." || step == "/")
            continue;
        UniqueFd next(::openat(at, step.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        struct stat seen {};
        if (!next || ::fstat(next.get(), &seen) != 0)
            failAt(errno);
        if (S_ISLNK(seen.st_mode)) {
            if (!trusted(seen.st_uid))
                fail(Kind::untrustedLink, EPERM, where / step);
            const std::string target = linkTarget(next.get());
            if (target.empty() || ++links > linkLimit)
                failAt(target.empty() ? ENOENT : ELOOP);
            // An absolute target starts again from the root, a relative one from the link's
            // folder, where we are.
            if (target.front() == '/') {
                here = UniqueFd(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
                if (!here)
                    failAt(errno);
                at = here.get();
                where = "/";
            }
            const std::size_t before = ahead.size();
            for (const fs::path& part : fs::path(target))
                ahead.push_back(part.string());
            std::reverse(ahead.begin() + std::ptrdiff_t(before), ahead.end());
            continue;
        }
        if (!S_ISDIR(seen.st_mode))
            failAt(ENOTDIR);
        here = std::move(next);
        at = here.get();
        where = step == ".." ? where.parent_path() : where / step;
    }
    struct stat reached {};
    if (::fstat(at, &reached) != 0)
        failAt(errno);
    if (!trusted(reached.st_uid))
        fail(Kind::foreignFolder, EPERM, where);
    UniqueFd entered(::openat(at, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!entered)
        failAt(errno);
    return entered;
}

// Takes the folder's lock, held until its descriptor is closed, waiting while another writer
// holds it. Returns false where the file system cannot lock a folder (some network ones).
bool lockFolder(int out, const PairWriting& how, const fs::path& folder)
{
    const auto giveUp = std::chrono::steady_clock::now() + how.patience;
    while (::flock(out, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR)
            return false;
        if (how.cancelled && how.cancelled())
            throw Cancelled();
        if (std::chrono::steady_clock::now() >= giveUp)
            fail(Failure::Kind::folderInUse, EWOULDBLOCK, folder);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// The folders one call made, removed again, innermost first, unless kept: a failed call
// leaves no empty folder. One that is not empty (another writer's pair) stays.
class MadeFolders {
public:
    MadeFolders() = default;
    MadeFolders(const MadeFolders&) = delete;
    MadeFolders& operator=(const MadeFolders&) = delete;
    ~MadeFolders()
    {
        for (auto made = m_made.rbegin(); made != m_made.rend(); ++made)
            ::unlinkat(made->first, made->second.c_str(), AT_REMOVEDIR);
    }
    void add(int parent, const std::string& name) { m_made.emplace_back(parent, name); }
    void keep() { m_made.clear(); }

private:
    std::vector<std::pair<int, std::string>> m_made; // the parent's descriptor, the name
};

// A file in the folder, removed when this goes unless it was released.
class Temporary {
public:
    Temporary(int folder, std::string name) : m_folder(folder), m_name(std::move(name)) {}
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    ~Temporary()
    {
        if (!m_name.empty())
            ::unlinkat(m_folder, m_name.c_str(), 0);
    }
    const char* name() const { return m_name.c_str(); }
    void release() { m_name.clear(); }

private:
    int m_folder;
    std::string m_name;
};

// Removes what a run killed before its renames left behind, and nothing else.
void removeStaleTemporaries(int folder)
{
    const int listed = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listed < 0)
        return;
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(::fdopendir(listed), ::closedir);
    if (!listing) {
        ::close(listed);
        return;
    }
    while (const dirent* entry = ::readdir(listing.get())) {
        if (isTemporaryOf(entry->d_name, "first.png") || isTemporaryOf(entry->d_name, "last.png"))
            ::unlinkat(folder, entry->d_name, 0);
    }
}

} // namespace

OutputPlace outputPlaceFor(const fs::path& video)
{
    std::error_code error;
    fs::path absolute = fs::absolute(video, error);
    if (error)
        absolute = video;
    if (!absolute.has_filename()) // "clips/" names the folder clips
        absolute = absolute.parent_path();
    return {absolute.parent_path(), outputFolderName(absolute.filename())};
}

fs::path outputFolderFor(const fs::path& video)
{
    return outputPlaceFor(video).folder();
}

fs::path writePair(const OutputPlace& place, std::span<const std::uint8_t> firstPng, std::span<const std::uint8_t> lastPng,
                   const PairWriting& how)
{
    using Kind = Failure::Kind;
    const fs::path folder = place.folder();
    // A place made by hand could name the base itself or a folder outside it.
    for (const fs::path& part : place.relative) {
        if (part.empty() || part == "." || part == ".." || part.has_root_path())
            fail(Kind::cannotCreateFolder, EINVAL, folder);
    }
    if (place.relative.empty())
        fail(Kind::cannotCreateFolder, EINVAL, folder);

    // Declared before `made`, so the parents are still open when it removes what it holds,
    // and `placing` is released only once it has.
    std::vector<UniqueFd> opened;
    std::shared_lock<std::shared_mutex> placing;
    opened.emplace_back(::open(place.base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!opened.back())
        fail(Kind::cannotCreateFolder, errno, folder);
    MadeFolders made;
    fs::path path = place.base;
    for (const fs::path& part : place.relative) {
        const int parent = opened.back().get();
        const std::string name = part.string();
        path /= part;
        if (::mkdirat(parent, name.c_str(), 0777) == 0)
            made.add(parent, name);
        else if (errno != EEXIST)
            fail(Kind::cannotCreateFolder, errno, folder);
        opened.push_back(enterFolder(parent, name, path, folder));
    }
    const int out = opened.back().get();
    const fs::path firstPath = folder / "first.png", lastPath = folder / "last.png";

    // Where the folder cannot be locked, writers do not take turns, and as a temporary file
    // may then be another writer's, none is removed.
    const bool locked = lockFolder(out, how, folder);
    if (how.placing)
        placing = std::shared_lock(*how.placing);
    if (how.cancelled && how.cancelled())
        throw Cancelled();
    if (locked)
        removeStaleTemporaries(out);

    // A folder named first.png would be swapped out of sight instead of refused.
    struct stat older {};
    if (::fstatat(out, "first.png", &older, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(older.st_mode))
        fail(Kind::cannotWrite, EISDIR, firstPath);
    Temporary first(out, writeTemporary(out, "first.png", {firstPng}, firstPath));
    Temporary last(out, writeTemporary(out, "last.png", {lastPng}, lastPath));

    // first.png changes places with the older one, which can come back if last.png cannot
    // be put in place; the temporary's name then holds the older image.
    const bool exchanged = ::renameat2(out, first.name(), out, "first.png", RENAME_EXCHANGE) == 0;
    if (!exchanged) {
        // No older image, or a file system that cannot exchange.
        if (errno != ENOENT && errno != EINVAL && errno != ENOSYS)
            fail(Kind::cannotWrite, errno, firstPath);
        if (::renameat(out, first.name(), out, "first.png") != 0)
            fail(Kind::cannotWrite, errno, firstPath);
        first.release();
    }
    if (::renameat(out, last.name(), out, "last.png") != 0) {
        const int error = errno;
        // Never a new first.png beside an older last.png. (Where the file system cannot
        // exchange, the older first.png is gone already.)
        if (exchanged)
            ::renameat2(out, first.name(), out, "first.png", RENAME_EXCHANGE);
        else
            ::unlinkat(out, "first.png", 0);
        fail(Kind::cannotWrite, error, lastPath);
    }
    last.release();
    // The pair is in place; a folder that cannot be flushed (some file systems refuse)
    // does not undo that.
    ::fsync(out);
    made.keep();
    return folder;
}

} // namespace FrameExtractor
