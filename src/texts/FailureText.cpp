#include "FailureText.h"

#include "extraction/Failure.h"

#include <cerrno>
#include <system_error>

namespace {

// The reasons users meet, in their language. A failure of the output carries the system's
// code; the others only the library's English words (they cross from the decoding worker as
// text), so those are matched as av_strerror, strerror and sigdescr_np give them.
struct KnownReason {
    int code; // errno; 0 for FFmpeg's own words and a stopped worker's signal
    const char* english;
    const char* key;
};

const KnownReason knownReasons[] = {
    {0, "Invalid data found when processing input", "reason.invalidData"},
    {0, "End of file", "reason.endOfFile"},
    {0, "Decoder not found", "reason.decoderNotFound"},
    {EIO, "Input/output error", "reason.ioError"},
    {EACCES, "Permission denied", "reason.permissionDenied"},
    {EPERM, "Operation not permitted", "reason.notPermitted"},
    {EROFS, "Read-only file system", "reason.readOnly"},
    {ENOSPC, "No space left on device", "reason.noSpace"},
    {EEXIST, "File exists", "reason.exists"},
    {ENOENT, "No such file or directory", "reason.noSuchFile"},
    {ENOMEM, "Cannot allocate memory", "reason.noMemory"},
    {0, "Segmentation fault", "reason.segmentationFault"},
    {0, "Killed", "reason.killed"},
    {0, "Aborted", "reason.aborted"},
    {0, "Bad system call", "reason.forbiddenCall"},
};

using TextOf = std::function<std::string(const char* key)>;

std::string reasonWords(const std::string& reason, const TextOf& textOf)
{
    for (const KnownReason& known : knownReasons) {
        if (reason == known.english)
            return textOf(known.key);
    }
    return reason;
}

std::string reasonWords(std::error_code code, const TextOf& textOf)
{
    const std::error_condition condition = code.default_error_condition();
    for (const KnownReason& known : knownReasons) {
        if (known.code && condition == std::error_condition(known.code, std::generic_category()))
            return textOf(known.key);
    }
    return code.message();
}

// The kind's sentence around the name, the reason inside its full stop as each language
// writes it: "… (reason)." or "…（reason）。".
FailureWords named(FrameExtractor::Failure::Kind kind, const std::string& name, const TextOf& textOf, const std::string& reason = {})
{
    FailureWords words{around(textOf(FrameExtractor::keyOf(kind)), name)};
    words.kind = FrameExtractor::nameOf(kind);
    if (!reason.empty()) {
        std::size_t end = words.tail.size();
        const std::string_view ideographicFullStop = "\u3002";
        if (words.tail.ends_with('.'))
            end -= 1;
        else if (words.tail.ends_with(ideographicFullStop))
            end -= ideographicFullStop.size();
        words.tail.insert(end, withArgument(textOf("error.reason %@"), reason));
    }
    return words;
}

} // namespace

FailureWords failureWords(const std::exception_ptr& failure, const TextOf& textOf)
{
    using Kind = FrameExtractor::Failure::Kind;
    try {
        std::rethrow_exception(failure);
    } catch (const FrameExtractor::Failure& error) {
        // The system's words ("Operation not permitted") would not say why a link or a folder
        // is refused; another folder is out of the other user's or program's reach.
        if (error.kind() == Kind::untrustedLink || error.kind() == Kind::foreignFolder || error.kind() == Kind::folderInUse) {
            FailureWords words = named(error.kind(), error.file(), textOf);
            words.offersFolder = true;
            return words;
        }
        if (!error.code())
            return named(error.kind(), error.file(), textOf, error.reason().empty() ? std::string() : reasonWords(error.reason(), textOf));
        FailureWords words = named(error.kind(), error.file(), textOf, reasonWords(error.code(), textOf));
        // A folder the user may not write to (a camera card, a shared or read-only place).
        const std::error_condition condition = error.code().default_error_condition();
        words.offersFolder = condition == std::errc::read_only_file_system || condition == std::errc::permission_denied
            || condition == std::errc::operation_not_permitted;
        return words;
    } catch (const std::exception& error) {
        return FailureWords({error.what(), {}, {}});
    }
}
