#pragma once

#include <QAbstractButton>
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>

class QMimeData;
class FrameThumbnail;

// The done state's two images side by side in the drop zone, each a thumbnail with its
// caption ("First", "Last") under it. Each is a button (a click, Enter or Space opens the
// image, by whoever listens) and a drag source that hands the image file on. The room
// around them stays the drop zone's: a click there still chooses a video.
class FramePair : public QWidget {
    Q_OBJECT
public:
    explicit FramePair(QWidget* parent = nullptr);

    // Shows the pair: `first` and `last` are thumbnails (see thumbnail()) of the files
    // first.png and last.png in `folder`, named after the video, `videoName`.
    void setFrames(const QImage& first, const QImage& last, const QString& videoName, const QString& folder);
    // Hides the pair and lets go of its images.
    void clear();
    bool isShowing() const { return !m_files.isEmpty(); }
    // The two buttons, first then last.
    QList<QAbstractButton*> thumbnails() const;

    // PNG bytes decoded, up to the largest frame a job writes, and scaled smoothly to fit
    // `box` (pixels); a null image when they do not decode. Safe on any thread.
    static QImage thumbnail(const QByteArray& png, QSize box);
    // What a dragged thumbnail carries: the PNG file's address, its bytes as image/png, and
    // the image itself, read from the file now. The caller owns it.
    static QMimeData* dragData(const QString& pngFile);

signals:
    // A thumbnail was activated: its file, for the owner to open.
    void imageActivated(const QUrl& file);

protected:
    void resizeEvent(QResizeEvent*) override;
    void changeEvent(QEvent* event) override;

private:
    void setTexts();
    void layOutThumbnails();
    FrameThumbnail* m_first;
    FrameThumbnail* m_last;
    QStringList m_files;
    QString m_videoName;
};
