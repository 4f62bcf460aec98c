#include "FailureText.h"

#include "extraction/FrameExtractor.h"
#include "texts/Texts.h"

namespace {

QString sentenceFor(FrameExtractor::MediaError::Kind kind, const QString& name)
{
    using Kind = FrameExtractor::MediaError::Kind;
    switch (kind) {
    case Kind::notFound: return Texts::text("error.notFound %@", name);
    case Kind::folder: return Texts::text("error.folder %@", name);
    case Kind::notRegular: return Texts::text("error.notRegular %@", name);
    case Kind::unreadable: return Texts::text("error.unreadable %@", name);
    case Kind::noVideo: return Texts::text("error.noVideo %@", name);
    case Kind::unsupportedFormat: return Texts::text("error.unsupportedFormat %@", name);
    case Kind::undecodable: return Texts::text("error.undecodable %@", name);
    case Kind::noPicture: return Texts::text("error.noPicture %@", name);
    case Kind::readFailed: return Texts::text("error.readFailed %@", name);
    case Kind::tooLarge: return Texts::text("error.tooLarge %@", name);
    case Kind::extremeAspectRatio: return Texts::text("error.extremeAspectRatio %@", name);
    case Kind::unscalable: return Texts::text("error.unscalable %@", name);
    case Kind::unconvertiblePixels: return Texts::text("error.unconvertiblePixels %@", name);
    case Kind::unconvertibleColours: return Texts::text("error.unconvertibleColours %@", name);
    case Kind::outOfMemory: return Texts::text("error.outOfMemory %@", name);
    case Kind::removed: return Texts::text("error.removed %@", name);
    case Kind::changed: return Texts::text("error.changed %@", name);
    case Kind::noLongerReadable: return Texts::text("error.noLongerReadable %@", name);
    case Kind::workerStopped: return Texts::text("error.workerStopped %@", name);
    }
    return Texts::text("error.unreadable %@", name);
}

// The library's or the system's own words follow the sentence as they come.
QString withReason(const QString& sentence, const std::string& reason)
{
    return reason.empty() ? sentence : sentence + QStringLiteral(" (") + QString::fromStdString(reason) + QLatin1Char(')');
}

} // namespace

QString failureText(const std::exception_ptr& failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const FrameExtractor::MediaError& error) {
        return withReason(sentenceFor(error.kind(), QString::fromStdString(error.fileName())), error.reason());
    } catch (const FrameExtractor::OutputError& error) {
        const QString path = QString::fromStdString(error.path().string());
        switch (error.kind()) {
        case FrameExtractor::OutputError::Kind::cannotCreateFolder:
            return withReason(Texts::text("error.cannotCreateFolder %@", path), error.code().message());
        case FrameExtractor::OutputError::Kind::untrustedLink:
            return Texts::text("error.untrustedLink %@", path);
        case FrameExtractor::OutputError::Kind::cannotWrite:
            break;
        }
        return withReason(Texts::text("error.cannotWrite %@", path), error.code().message());
    } catch (const FrameExtractor::ExtractionError& error) {
        return Texts::text("Failed to encode PNG: %@", QString::fromStdString(error.fileName()));
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    }
}
