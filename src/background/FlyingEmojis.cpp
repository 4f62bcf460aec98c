#include "FlyingEmojis.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

FlyingEmojis::FlyingEmojis(std::vector<EmojiLane::Config> configs, QWidget* parent)
    : QWidget(parent)
{
    for (const EmojiLane::Config& config : configs)
        m_lanes.emplace_back(config);
    m_clock.start();
    m_frames.setTimerType(Qt::PreciseTimer);
    m_frames.setInterval(16);
    connect(&m_frames, &QTimer::timeout, this, &FlyingEmojis::frame);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    m_places.resize(m_lanes.size());
    m_pixmaps.resize(m_lanes.size());
}

void FlyingEmojis::showEvent(QShowEvent*)
{
    if (!m_started) {
        m_started = true;
        for (EmojiLane& lane : m_lanes)
            lane.startFlight(now());
    }
    frame();
    m_frames.start();
}

void FlyingEmojis::hideEvent(QHideEvent*)
{
    m_frames.stop();
}

QPixmap renderEmoji(const QString& emoji, double size, qreal ratio)
{
    QFont font(QStringLiteral("Noto Color Emoji"));
    font.setPixelSize(static_cast<int>(std::lround(size)));
    const QRectF box = QFontMetricsF(font).boundingRect(emoji);
    const QSize pixels(static_cast<int>(std::ceil(std::max(box.width(), size) * 1.3 * ratio)),
                       static_cast<int>(std::ceil(std::max(box.height(), size) * 1.3 * ratio)));
    QPixmap pixmap(pixels);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setFont(font);
    painter.drawText(QRectF(QPointF(0, 0), QSizeF(pixels) / ratio), Qt::AlignCenter, emoji);
    return pixmap;
}

const QPixmap& FlyingEmojis::pixmapFor(std::size_t i)
{
    // Rendered when the lane's emoji changes, with the lane's opacity already applied, so
    // that a frame only copies pixmaps.
    if (m_pixmaps[i].isNull()) {
        const EmojiLane& lane = m_lanes[i];
        const QPixmap plain = renderEmoji(lane.currentEmoji(), lane.config().size, devicePixelRatioF());
        QPixmap faint(plain.size());
        faint.setDevicePixelRatio(plain.devicePixelRatio());
        faint.fill(Qt::transparent);
        QPainter painter(&faint);
        painter.setOpacity(lane.config().opacity);
        painter.drawPixmap(0, 0, plain);
        m_pixmaps[i] = faint;
    }
    return m_pixmaps[i];
}

void FlyingEmojis::frame()
{
    const double t = now();
    bool passEnded = false;
    for (std::size_t i = 0; i < m_lanes.size(); ++i) {
        EmojiLane& lane = m_lanes[i];
        const double p = lane.flightProgress(t);
        passEnded = passEnded || lane.pendingCycle().has_value();
        QRect place;
        if (!lane.currentEmoji().isEmpty()) {
            const QPixmap& pixmap = pixmapFor(i);
            const QSize shown = (QSizeF(pixmap.size()) / pixmap.devicePixelRatio()).toSize();
            const QPointF centre = lane.position(p, size());
            place = QRect(QPoint(static_cast<int>(std::lround(centre.x() - shown.width() / 2.0)),
                                 static_cast<int>(std::lround(centre.y() - shown.height() / 2.0))),
                          shown);
        }
        if (place != m_places[i]) {
            update(m_places[i].united(place));
            m_places[i] = place;
        }
    }
    // The new passes' emojis are picked after this frame, not during it.
    if (passEnded) {
        QMetaObject::invokeMethod(this, [this] {
            for (std::size_t i = 0; i < m_lanes.size(); ++i) {
                if (const auto pass = m_lanes[i].pendingCycle()) {
                    m_lanes[i].advanceCycle(*pass);
                    m_pixmaps[i] = QPixmap();
                    update(m_places[i]);
                    m_places[i] = QRect(); // placed again at the next frame
                }
            }
        }, Qt::QueuedConnection);
    }
}

void FlyingEmojis::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    for (std::size_t i = 0; i < m_lanes.size(); ++i) {
        if (!m_places[i].isEmpty() && m_places[i].intersects(event->rect()))
            painter.drawPixmap(m_places[i].topLeft(), pixmapFor(i));
    }
}
