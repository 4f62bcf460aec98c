#include "FailureText.h"

#include "extraction/FrameExtractor.h"
#include "texts/Texts.h"

#include <cerrno>
#include <system_error>

namespace {

QString sentenceFor(FrameExtractor::MediaError::Kind kind)
{
    using Kind = FrameExtractor::MediaError::Kind;
    switch (kind) {
    case Kind::notFound: return Texts::text("error.notFound %@");
    case Kind::folder: return Texts::text("error.folder %@");
    case Kind::notRegular: return Texts::text("error.notRegular %@");
    case Kind::unreadable: return Texts::text("error.unreadable %@");
    case Kind::noVideo: return Texts::text("error.noVideo %@");
    case Kind::unsupportedFormat: return Texts::text("error.unsupportedFormat %@");
    case Kind::undecodable: return Texts::text("error.undecodable %@");
    case Kind::noPicture: return Texts::text("error.noPicture %@");
    case Kind::readFailed: return Texts::text("error.readFailed %@");
    case Kind::tooLarge: return Texts::text("error.tooLarge %@");
    case Kind::extremeAspectRatio: return Texts::text("error.extremeAspectRatio %@");
    case Kind::unscalable: return Texts::text("error.unscalable %@");
    case Kind::unconvertiblePixels: return Texts::text("error.unconvertiblePixels %@");
    case Kind::unconvertibleColours: return Texts::text("error.unconvertibleColours %@");
    case Kind::outOfMemory: return Texts::text("error.outOfMemory %@");
    case Kind::removed: return Texts::text("error.removed %@");
    case Kind::changed: return Texts::text("error.changed %@");
    case Kind::noLongerReadable: return Texts::text("error.noLongerReadable %@");
    case Kind::workerStopped: return Texts::text("error.workerStopped %@");
    }
    return Texts::text("error.unreadable %@");
}

// The reasons users meet, in their language. An output error carries the system's code; a
// media error only the library's English words (they cross from the decoding worker as
// text), so those are matched as av_strerror, strerror and sigdescr_np give them.
struct KnownReason {
    int code; // errno; 0 for FFmpeg's own words and a stopped worker's signal
    const char* english;
    QString (*words)();
};

const KnownReason knownReasons[] = {
    {0, "Invalid data found when processing input", [] { return Texts::text("reason.invalidData"); }},
    {0, "End of file", [] { return Texts::text("reason.endOfFile"); }},
    {0, "Decoder not found", [] { return Texts::text("reason.decoderNotFound"); }},
    {EIO, "Input/output error", [] { return Texts::text("reason.ioError"); }},
    {EACCES, "Permission denied", [] { return Texts::text("reason.permissionDenied"); }},
    {EPERM, "Operation not permitted", [] { return Texts::text("reason.notPermitted"); }},
    {EROFS, "Read-only file system", [] { return Texts::text("reason.readOnly"); }},
    {ENOSPC, "No space left on device", [] { return Texts::text("reason.noSpace"); }},
    {EEXIST, "File exists", [] { return Texts::text("reason.exists"); }},
    {ENOENT, "No such file or directory", [] { return Texts::text("reason.noSuchFile"); }},
    {ENOMEM, "Cannot allocate memory", [] { return Texts::text("reason.noMemory"); }},
    {0, "Segmentation fault", [] { return Texts::text("reason.segmentationFault"); }},
    {0, "Killed", [] { return Texts::text("reason.killed"); }},
    {0, "Aborted", [] { return Texts::text("reason.aborted"); }},
    {0, "Bad system call", [] { return Texts::text("reason.forbiddenCall"); }},
};

QString reasonWords(const std::string& reason)
{
    for (const KnownReason& known : knownReasons) {
        if (reason == known.english)
            return known.words();
    }
    return QString::fromStdString(reason);
}

QString reasonWords(std::error_code code)
{
    const std::error_condition condition = code.default_error_condition();
    for (const KnownReason& known : knownReasons) {
        if (known.code && condition == std::error_condition(known.code, std::generic_category()))
            return known.words();
    }
    return QString::fromStdString(code.message());
}

// The sentence around the name, the reason inside its full stop as each language writes it:
// "… (reason)." or "…（reason）。".
JobStatus::Error named(const QString& sentence, const QString& name, const QString& reason = {})
{
    const qsizetype at = sentence.indexOf(QLatin1String("%@"));
    JobStatus::Error error = at < 0 ? JobStatus::Error{sentence} : JobStatus::Error{sentence.left(at), name, sentence.mid(at + 2)};
    if (!reason.isEmpty()) {
        qsizetype end = error.tail.size();
        if (end > 0 && (error.tail.back() == QLatin1Char('.') || error.tail.back() == QChar(0x3002)))
            --end;
        error.tail.insert(end, Texts::text("error.reason %@", reason));
    }
    return error;
}

} // namespace

JobStatus::Error failureMessage(const std::exception_ptr& failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const FrameExtractor::MediaError& error) {
        return named(sentenceFor(error.kind()), QString::fromStdString(error.fileName()),
                     error.reason().empty() ? QString() : reasonWords(error.reason()));
    } catch (const FrameExtractor::OutputError& error) {
        using Kind = FrameExtractor::OutputError::Kind;
        const QString path = QString::fromStdString(error.path().string());
        if (error.kind() == Kind::untrustedLink)
            return named(Texts::text("error.untrustedLink %@"), path);
        JobStatus::Error message = named(error.kind() == Kind::cannotCreateFolder ? Texts::text("error.cannotCreateFolder %@")
                                                                                  : Texts::text("error.cannotWrite %@"),
                                         path, reasonWords(error.code()));
        // A folder the user may not write to (a camera card, a shared or read-only place).
        const std::error_condition condition = error.code().default_error_condition();
        message.offersFolder = condition == std::errc::read_only_file_system || condition == std::errc::permission_denied
            || condition == std::errc::operation_not_permitted;
        return message;
    } catch (const FrameExtractor::ExtractionError& error) {
        return named(Texts::text("Failed to encode PNG: %@"), QString::fromStdString(error.fileName()));
    } catch (const std::exception& error) {
        return JobStatus::Error{QString::fromUtf8(error.what())};
    }
}
