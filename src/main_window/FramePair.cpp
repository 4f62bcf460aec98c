#include "FramePair.h"

#include "Look.h"
#include "extraction/WorkerProtocol.h"
#include "texts/Texts.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QDrag>
#include <QFile>
#include <QImageReader>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

constexpr int padding = 6;    // around the image and its caption: room for the focus ring
constexpr int captionGap = 4; // between the image and its caption
constexpr int spacing = 12;   // between the two thumbnails
constexpr qreal radius = 8;   // of the focus ring and the hover's tint
constexpr qreal imageRadius = 4;

// Qt refuses to decode an image larger than its allocation limit (128 MiB in Qt 6.4), and
// the largest frame a job writes is 136 MiB as RGBA. The limit is one for the whole
// process, so it is raised once, before any reader needs it, and never lowered.
void allowLargestFrame()
{
    [[maybe_unused]] static const bool raised = [] {
        constexpr qint64 largest = FrameExtractor::WorkerProtocol::maxPicturePixels * 4;
        constexpr int needed = int((largest + (1 << 20) - 1) >> 20);
        if (const int limit = QImageReader::allocationLimit(); limit != 0 && limit < needed)
            QImageReader::setAllocationLimit(needed);
        return true;
    }();
}

QImage readPng(QIODevice* device)
{
    allowLargestFrame();
    QImageReader reader(device, "png");
    return reader.read();
}

} // namespace

// One image of the pair: the thumbnail in rounded corners with a hairline edge, its caption
// under it, a tint while the pointer is over it and the focus ring when the keyboard
// brought the focus.
class FrameThumbnail : public QAbstractButton {
    Q_OBJECT
public:
    explicit FrameThumbnail(QWidget* parent)
        : QAbstractButton(parent)
    {
        setFocusPolicy(Qt::StrongFocus);
        setCursor(Qt::PointingHandCursor);
        setAttribute(Qt::WA_Hover);
    }

    void setFrame(const QImage& image, const QString& file)
    {
        m_image = image;
        m_file = file;
        m_pixmap = QPixmap();
        setToolTip(QDir::toNativeSeparators(file));
        update();
    }
    const QImage& image() const { return m_image; }
    const QString& file() const { return m_file; }
    // The image's size on screen, and the height of the room it is centred in (the taller
    // image's of the pair, so that both captions stand on one line).
    void setImageSize(QSize size, int roomHeight)
    {
        m_imageSize = size;
        m_roomHeight = roomHeight;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        if (!isEnabled())
            painter.setOpacity(0.5);
        const QColor text = palette().color(QPalette::WindowText);
        if (isEnabled() && (isDown() || underMouse())) {
            QColor tint = text;
            tint.setAlphaF(isDown() ? 0.12f : 0.06f);
            painter.setPen(Qt::NoPen);
            painter.setBrush(tint);
            painter.drawRoundedRect(QRectF(rect()), radius, radius);
        }
        const QRect image = imageRect();
        painter.drawPixmap(image.topLeft(), pixmap());
        // The edge keeps a frame as light (or as dark) as the window apart from it.
        QColor edge = text;
        edge.setAlphaF(0.18f);
        painter.setPen(QPen(edge, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(image).adjusted(0.5, 0.5, -0.5, -0.5), imageRadius, imageRadius);

        const QFont font = Look::caption(this);
        const QFontMetrics metrics(font);
        const QRect caption(0, padding + m_roomHeight + captionGap, width(), metrics.height());
        painter.setFont(font);
        painter.setPen(Look::secondary(this));
        painter.drawText(caption, Qt::AlignHCenter | Qt::AlignVCenter,
                         metrics.elidedText(this->text(), Qt::ElideRight, width() - 2 * padding));
        if (hasFocus() && m_keyboardFocus)
            Look::drawFocusRing(painter, QRectF(rect()), radius, this);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (!m_keyboardFocus) {
            m_keyboardFocus = true;
            update();
        }
        // Enter opens as Space does (which the button handles: down while held, open on release).
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            if (!event->isAutoRepeat())
                click();
            return;
        }
        QAbstractButton::keyPressEvent(event);
    }

    void focusInEvent(QFocusEvent* event) override
    {
        // As the drop zone does: the ring shows for the keyboard's focus, not a click's.
        if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
            m_keyboardFocus = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason
                || event->reason() == Qt::ShortcutFocusReason;
        QAbstractButton::focusInEvent(event);
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        m_pressedAt = event->position().toPoint();
        QAbstractButton::mousePressEvent(event);
    }

    // Moved far enough while held: a drag of the image file, and no click.
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (!(event->buttons() & Qt::LeftButton) || !isDown() || m_file.isEmpty()
            || (event->position().toPoint() - m_pressedAt).manhattanLength() < QApplication::startDragDistance()) {
            QAbstractButton::mouseMoveEvent(event);
            return;
        }
        setDown(false);
        auto* drag = new QDrag(this); // deleted by Qt once done
        drag->setMimeData(FramePair::dragData(m_file));
        const QRect image = imageRect();
        drag->setPixmap(pixmap());
        drag->setHotSpot(QPoint(std::clamp(m_pressedAt.x() - image.x(), 0, image.width()),
                                std::clamp(m_pressedAt.y() - image.y(), 0, image.height())));
        drag->exec(Qt::CopyAction, Qt::CopyAction);
    }

    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::PaletteChange)
            m_pixmap = QPixmap(); // its checkerboard is the palette's
        QAbstractButton::changeEvent(event);
    }

private:
    QRect imageRect() const
    {
        return QRect((width() - m_imageSize.width()) / 2, padding + (m_roomHeight - m_imageSize.height()) / 2,
                     m_imageSize.width(), m_imageSize.height());
    }

    // The thumbnail at the screen's pixel density with its corners rounded, made once for
    // each size; over a checkerboard where the frame is see-through.
    QPixmap pixmap()
    {
        const qreal ratio = devicePixelRatioF();
        const QSize pixels = (QSizeF(m_imageSize) * ratio).toSize();
        if (pixels.isEmpty() || (m_pixmap.size() == pixels && qFuzzyCompare(m_pixmap.devicePixelRatio(), ratio)))
            return m_pixmap;
        QImage canvas(pixels, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::transparent);
        canvas.setDevicePixelRatio(ratio);
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF whole(QPointF(0, 0), QSizeF(m_imageSize));
        if (!m_image.isNull())
            painter.drawImage(whole, m_image.size() == pixels ? m_image
                                                              : m_image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        if (m_image.isNull() || m_image.hasAlphaChannel()) {
            QImage squares(2, 2, QImage::Format_RGB32);
            const QColor light = palette().color(QPalette::Base), dark = palette().color(QPalette::AlternateBase);
            squares.setPixelColor(0, 0, light);
            squares.setPixelColor(1, 1, light);
            squares.setPixelColor(1, 0, dark);
            squares.setPixelColor(0, 1, dark);
            painter.setCompositionMode(QPainter::CompositionMode_DestinationOver);
            painter.fillRect(whole, QBrush(squares.scaled(16, 16))); // squares of 8
        }
        QPainterPath corners;
        corners.addRect(whole);
        QPainterPath shape;
        shape.addRoundedRect(whole, imageRadius, imageRadius);
        painter.setCompositionMode(QPainter::CompositionMode_DestinationOut);
        painter.fillPath(corners.subtracted(shape), Qt::black);
        painter.end();
        m_pixmap = QPixmap::fromImage(canvas);
        return m_pixmap;
    }

    QImage m_image;
    QString m_file;
    QPixmap m_pixmap;
    QSize m_imageSize;
    int m_roomHeight = 0;
    QPoint m_pressedAt;
    bool m_keyboardFocus = false;
};

FramePair::FramePair(QWidget* parent)
    : QWidget(parent)
    , m_first(new FrameThumbnail(this))
    , m_last(new FrameThumbnail(this))
{
    allowLargestFrame(); // here on the GUI thread, before any job's thread reads an image
    for (FrameThumbnail* thumbnail : {m_first, m_last})
        connect(thumbnail, &QAbstractButton::clicked, this, [this, thumbnail] {
            if (!thumbnail->file().isEmpty())
                emit imageActivated(QUrl::fromLocalFile(thumbnail->file()));
        });
    hide();
}

void FramePair::setFrames(const QImage& first, const QImage& last, const QString& videoName, const QString& folder)
{
    const QDir place(folder);
    m_files = {place.filePath(QStringLiteral("first.png")), place.filePath(QStringLiteral("last.png"))};
    m_videoName = videoName;
    m_first->setFrame(first, m_files[0]);
    m_last->setFrame(last, m_files[1]);
    setTexts();
    layOutThumbnails();
    show();
}

void FramePair::clear()
{
    hide();
    m_files.clear();
    for (FrameThumbnail* thumbnail : {m_first, m_last})
        thumbnail->setFrame(QImage(), QString());
}

QList<QAbstractButton*> FramePair::thumbnails() const
{
    return {m_first, m_last};
}

void FramePair::setTexts()
{
    m_first->setText(Texts::text("frames.first"));
    m_last->setText(Texts::text("frames.last"));
    m_first->setAccessibleName(Texts::text("frames.first.name %@", m_videoName));
    m_last->setAccessibleName(Texts::text("frames.last.name %@", m_videoName));
}

void FramePair::resizeEvent(QResizeEvent*)
{
    layOutThumbnails();
}

void FramePair::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange && isShowing())
        setTexts();
    if (event->type() == QEvent::LanguageChange || event->type() == QEvent::FontChange)
        layOutThumbnails();
    QWidget::changeEvent(event);
}

// Both images fit the same box, half the width each; the pair and its captions are centred
// as one block, the images centred on the taller one's middle.
void FramePair::layOutThumbnails()
{
    if (!isShowing())
        return;
    const QFontMetrics metrics(Look::caption(this));
    const QSize box((width() - spacing) / 2 - 2 * padding, height() - 2 * padding - captionGap - metrics.height());
    if (box.isEmpty())
        return;
    FrameThumbnail* const thumbnails[] = {m_first, m_last};
    QSize sizes[2];
    int widths[2];
    for (int i = 0; i < 2; ++i) {
        const QImage& image = thumbnails[i]->image();
        // An image that would not decode keeps the other's shape, or 16:9.
        const QSize shape = !image.isNull() ? image.size()
            : !thumbnails[1 - i]->image().isNull() ? thumbnails[1 - i]->image().size() : QSize(16, 9);
        sizes[i] = shape.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
        widths[i] = std::max(sizes[i].width(), std::min(metrics.horizontalAdvance(thumbnails[i]->text()), box.width()))
            + 2 * padding;
    }
    const int room = std::max(sizes[0].height(), sizes[1].height());
    const int tileHeight = 2 * padding + room + captionGap + metrics.height();
    int x = (width() - widths[0] - spacing - widths[1]) / 2;
    for (int i = 0; i < 2; ++i) {
        thumbnails[i]->setImageSize(sizes[i], room);
        thumbnails[i]->setGeometry(x, (height() - tileHeight) / 2, widths[i], tileHeight);
        x += widths[i] + spacing;
    }
}

QImage FramePair::thumbnail(const QByteArray& png, QSize box)
{
    QBuffer buffer;
    buffer.setData(png);
    buffer.open(QIODevice::ReadOnly);
    const QImage image = readPng(&buffer);
    if (image.isNull() || box.isEmpty())
        return QImage();
    return image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

namespace {

// A dragged image: its file's address at once, its bytes and its picture read from the file
// only when the program it is dropped on asks for them, so that a large one does not hold up
// the drag's start.
class PngFileData : public QMimeData {
public:
    explicit PngFileData(QString file)
        : m_file(std::move(file))
    {
        setUrls({QUrl::fromLocalFile(m_file)});
    }
    QStringList formats() const override
    {
        return QMimeData::formats() << QStringLiteral("image/png") << QStringLiteral("application/x-qt-image");
    }
    bool hasFormat(const QString& format) const override { return formats().contains(format); }

protected:
    QVariant retrieveData(const QString& format, QMetaType type) const override
    {
        if (format != QLatin1String("image/png") && format != QLatin1String("application/x-qt-image"))
            return QMimeData::retrieveData(format, type);
        QFile file(m_file);
        QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        // The file's own bytes for those who ask for a PNG, rather than the image encoded anew.
        if (format == QLatin1String("image/png"))
            return bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        return readPng(&buffer);
    }

private:
    QString m_file;
};

} // namespace

QMimeData* FramePair::dragData(const QString& pngFile)
{
    return new PngFileData(pngFile);
}

#include "FramePair.moc"
