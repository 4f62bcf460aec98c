#pragma once

#include "EmojiLane.h"

#include <QElapsedTimer>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <vector>

// An emoji drawn once into a transparent pixmap in the colour emoji font.
QPixmap renderEmoji(const QString& emoji, double size, qreal ratio);

// The drifting emojis behind the About header: one EmojiLane per lane, repainted about
// once per display frame while visible, positions taken from a monotonic clock.
class FlyingEmojis : public QWidget {
public:
    explicit FlyingEmojis(std::vector<EmojiLane::Config> configs, QWidget* parent = nullptr);
    const std::vector<EmojiLane>& lanes() const { return m_lanes; }
    bool isAnimating() const { return m_frames.isActive(); }

protected:
    void showEvent(QShowEvent*) override;
    void hideEvent(QHideEvent*) override;
    void paintEvent(QPaintEvent*) override;

private:
    double now() const { return m_clock.nsecsElapsed() / 1e9; }
    // One display frame: every lane's place now; only what moved is repainted.
    void frame();
    const QPixmap& pixmapFor(std::size_t lane);

    std::vector<EmojiLane> m_lanes;
    std::vector<QRect> m_places; // where each lane's emoji is drawn
    QElapsedTimer m_clock;
    QTimer m_frames;
    bool m_started = false;
    std::vector<QPixmap> m_pixmaps; // each lane's current emoji, rendered once per pass
};
