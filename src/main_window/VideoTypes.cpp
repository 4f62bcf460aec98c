#include "VideoTypes.h"

#include <QMimeDatabase>
#include <QMimeType>

#include <algorithm>

namespace VideoTypes {

namespace {

struct SupportedType {
    const char* mimeName;        // nullptr: any video/ type
    const char* preferredExtension;
};

// In order: MPEG-4 movie, QuickTime movie, MPEG-2 video, AVI, any movie.
constexpr SupportedType supportedTypes[] = {
    {"video/mp4", "mp4"}, {"video/quicktime", "mov"}, {"video/mpeg", "mpg"}, {"video/x-msvideo", "avi"}, {nullptr, nullptr},
};

bool isVideoName(const QString& name)
{
    return name.startsWith(QLatin1String("video/"));
}

bool conforms(const QMimeType& type, const SupportedType& supported)
{
    if (supported.mimeName)
        return type.inherits(QString::fromLatin1(supported.mimeName));
    const QStringList ancestors = type.allAncestors();
    return isVideoName(type.name()) || std::any_of(ancestors.begin(), ancestors.end(), isVideoName);
}

} // namespace

bool isSupportedExtension(const QString& extension)
{
    const QString lower = extension.toLower();
    if (lower.isEmpty())
        return false;
    const QList<QMimeType> types = QMimeDatabase().mimeTypesForFileName(QStringLiteral("file.") + lower);
    return std::any_of(types.begin(), types.end(), [](const QMimeType& type) {
        return std::any_of(std::begin(supportedTypes), std::end(supportedTypes),
                           [&](const SupportedType& supported) { return conforms(type, supported); });
    });
}

QStringList globPatterns()
{
    QStringList patterns;
    for (const QMimeType& type : QMimeDatabase().allMimeTypes()) {
        const bool supported = std::any_of(std::begin(supportedTypes), std::end(supportedTypes),
                                           [&](const SupportedType& s) { return conforms(type, s); });
        if (supported)
            patterns += type.globPatterns();
    }
    patterns.removeDuplicates();
    patterns.sort();
    return patterns;
}

QString extensionsText()
{
    // The common ones, as people write them; any other video type is taken too.
    return QStringLiteral("MP4, MOV, MKV, WebM, AVI");
}

} // namespace VideoTypes
