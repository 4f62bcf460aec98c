#pragma once

#include <QString>
#include <QStringList>

// The video types the main window accepts, from the freedesktop MIME database: MPEG-4,
// QuickTime, MPEG, AVI, and any other type in the video/ media type.
namespace VideoTypes {

// Whether a file with this extension (any case) is one of them. Where an extension names
// several types (".ts" is a translation source and an MPEG transport stream), one video
// type among them is enough.
bool isSupportedExtension(const QString& extension);

// The glob patterns of all of them, for the file dialog's filter.
QStringList globPatterns();

// The commonest of them, for the hint under the drop zone's title: "MP4, MOV, MKV, WebM, AVI".
QString extensionsText();

} // namespace VideoTypes
