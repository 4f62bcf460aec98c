#include "OutputFolder.h"
#include "Errors.h"
#include "FileReplacement.h"
#include "UniqueFd.h"
#include "PngEncoder.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
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

[[noreturn]] void fail(OutputError::Kind kind, int error, const fs::path& path)
{
    throw OutputError(kind, std::error_code(error, std::generic_category()), path);
}

bool sameLink(const struct stat& a, const struct stat& b)
{
    return S_ISLNK(b.st_mode) && a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_uid == b.st_uid;
}

// Enters the folder `name` in `parent`. A symbolic link is followed only when the user
// running us or root made it: another user's link could lead our images anywhere. The link
// is looked at before and after it is followed, so none can be swapped in between.
// Something in the way that is not a folder is "File exists", as mkdir says.
UniqueFd enterFolder(int parent, const std::string& name, const fs::path& path, const fs::path& folder)
{
    struct stat before {};
    if (::fstatat(parent, name.c_str(), &before, AT_SYMLINK_NOFOLLOW) != 0)
        fail(OutputError::Kind::cannotCreateFolder, errno, folder);
    const bool link = S_ISLNK(before.st_mode);
    if (link && before.st_uid != ::geteuid() && before.st_uid != 0)
        fail(OutputError::Kind::untrustedLink, EPERM, path);

    UniqueFd entered(::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (link ? 0 : O_NOFOLLOW)));
    if (!entered) {
        const bool notAFolder = errno == ENOTDIR || errno == ELOOP || (link && errno == ENOENT);
        fail(OutputError::Kind::cannotCreateFolder, notAFolder ? EEXIST : errno, folder);
    }
    struct stat after {};
    if (link && (::fstatat(parent, name.c_str(), &after, AT_SYMLINK_NOFOLLOW) != 0 || !sameLink(before, after)))
        fail(OutputError::Kind::untrustedLink, EPERM, path);
    return entered;
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

fs::path writePair(const OutputPlace& place, std::span<const std::uint8_t> firstPng, std::span<const std::uint8_t> lastPng)
{
    using Kind = OutputError::Kind;
    const fs::path folder = place.folder();
    // A place made by hand could name the base itself or a folder outside it.
    for (const fs::path& part : place.relative) {
        if (part.empty() || part == "." || part == ".." || part.has_root_path())
            fail(Kind::cannotCreateFolder, EINVAL, folder);
    }
    if (place.relative.empty())
        fail(Kind::cannotCreateFolder, EINVAL, folder);

    // Declared before `made`, so the parents are still open when it removes what it holds.
    std::vector<UniqueFd> opened;
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

    // Held until the folder's descriptor is closed, on return or failure. Some network file
    // systems cannot lock a folder: writers there do not take turns, and as a temporary file
    // may then be another writer's, none is removed.
    int locked;
    do
        locked = ::flock(out, LOCK_EX);
    while (locked != 0 && errno == EINTR);
    if (locked == 0)
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
