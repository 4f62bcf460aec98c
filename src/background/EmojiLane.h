#pragma once

#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>

// One lane of the About header's drifting emojis: an emoji that crosses the area from
// beyond its lower-left corner to beyond its upper-right corner, pass after pass, with a
// new emoji drawn for every pass. Fed with times (seconds on a monotonic clock), so that
// it can be driven by any clock; drawing is left to the widget.
class EmojiLane {
public:
    struct Config {
        double size;          // font size in points; part of the margin outside the area
        double duration;      // seconds per pass
        double initialOffset; // fraction of a pass already done when the lane appears
        double yOffset;       // vertical shift of the path, positive down
        double opacity;
    };

    // The 16 film and media emojis every lane draws from.
    static const QStringList& filmEmojis();

    // `pick(n)` returns an index below n; a uniform random one unless given.
    explicit EmojiLane(Config config, QStringList emojis = filmEmojis(),
                       std::function<std::size_t(std::size_t)> pick = {});

    const Config& config() const { return m_config; }
    const QString& currentEmoji() const { return m_currentEmoji; }
    std::int64_t cycleCount() const { return m_cycleCount; }
    bool hasStarted() const { return m_startTime.has_value(); }

    // On appearance: a new emoji, and the passes start `initialOffset` of the way in.
    void startFlight(double now);
    // The progress through the current pass at time t: 0 before the lane started, else
    // from 0 up to 1 (negative when t lies before the start). When t is in a later pass
    // than the emoji's, that pass number is kept for pendingCycle(); the change itself is
    // applied by advanceCycle after the frame, never during it.
    double flightProgress(double t);
    std::optional<std::int64_t> pendingCycle() const { return m_pending; }
    void advanceCycle(std::int64_t pass);

    // The emoji's centre for a progress p in an area of the given size.
    QPointF position(double p, QSizeF area) const;

private:
    QString drawEmoji();

    Config m_config;
    QStringList m_emojis;
    std::function<std::size_t(std::size_t)> m_pick;
    std::optional<double> m_startTime;
    QString m_currentEmoji;
    std::int64_t m_cycleCount = 0;
    std::optional<std::int64_t> m_pending;
};
