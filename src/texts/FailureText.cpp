#include "FailureText.h"

#include "extraction/Errors.h"
#include "Texts.h"

#include <cerrno>
#include <system_error>

namespace {

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

// The kind's sentence around the name, the reason inside its full stop as each language
// writes it: "… (reason)." or "…（reason）。".
FailureMessage named(FrameExtractor::FailureKind kind, const QString& name, const QString& reason = {})
{
    const QString sentence = Texts::text(kind.key);
    const qsizetype at = sentence.indexOf(QLatin1String("%@"));
    FailureMessage message = at < 0 ? FailureMessage{sentence} : FailureMessage{sentence.left(at), name, sentence.mid(at + 2)};
    message.kind = kind.name;
    if (!reason.isEmpty()) {
        qsizetype end = message.tail.size();
        if (end > 0 && (message.tail.back() == QLatin1Char('.') || message.tail.back() == QChar(0x3002)))
            --end;
        message.tail.insert(end, Texts::text("error.reason %@", reason));
    }
    return message;
}

} // namespace

FailureMessage failureMessage(const std::exception_ptr& failure)
{
    using FrameExtractor::failureKind;
    try {
        std::rethrow_exception(failure);
    } catch (const FrameExtractor::MediaError& error) {
        return named(failureKind(error.kind()), QString::fromStdString(error.fileName()),
                     error.reason().empty() ? QString() : reasonWords(error.reason()));
    } catch (const FrameExtractor::OutputError& error) {
        const QString path = QString::fromStdString(error.path().string());
        // The system's words ("Operation not permitted") would not say why a link is refused.
        if (error.kind() == FrameExtractor::OutputError::Kind::untrustedLink)
            return named(failureKind(error.kind()), path);
        FailureMessage message = named(failureKind(error.kind()), path, reasonWords(error.code()));
        // A folder the user may not write to (a camera card, a shared or read-only place).
        const std::error_condition condition = error.code().default_error_condition();
        message.offersFolder = condition == std::errc::read_only_file_system || condition == std::errc::permission_denied
            || condition == std::errc::operation_not_permitted;
        return message;
    } catch (const FrameExtractor::ExtractionError& error) {
        return named(failureKind(error.kind()), QString::fromStdString(error.fileName()));
    } catch (const std::exception& error) {
        return FailureMessage{QString::fromUtf8(error.what())};
    }
}
