#include "EmojiLane.h"

#include <QRandomGenerator>

#include <cmath>

const QStringList& EmojiLane::filmEmojis()
{
    static const QStringList emojis = {
        QStringLiteral("\U0001F3AC"), QStringLiteral("\U0001F3A5"), QStringLiteral("\U0001F4F9"),
        QStringLiteral("\U0001F39E\uFE0F"), QStringLiteral("\U0001F4FD\uFE0F"), QStringLiteral("\U0001F3A6"),
        QStringLiteral("\U0001F3AD"), QStringLiteral("\U0001F3AA"), QStringLiteral("\U0001F4F8"),
        QStringLiteral("\U0001F5BC\uFE0F"), QStringLiteral("\U0001F3A8"), QStringLiteral("\u2702\uFE0F"),
        QStringLiteral("\U0001F3B5"), QStringLiteral("\U0001F3B6"), QStringLiteral("\U0001F4C0"),
        QStringLiteral("\U0001F4BF"),
    };
    return emojis;
}

EmojiLane::EmojiLane(Config config, QStringList emojis, std::function<std::size_t(std::size_t)> pick)
    : m_config(config)
    , m_emojis(std::move(emojis))
    , m_pick(pick ? std::move(pick)
                  : [](std::size_t n) { return static_cast<std::size_t>(QRandomGenerator::global()->bounded(static_cast<quint64>(n))); })
{
}

QString EmojiLane::drawEmoji()
{
    if (m_emojis.isEmpty())
        return QStringLiteral("\U0001F3AC");
    return m_emojis.at(static_cast<qsizetype>(m_pick(static_cast<std::size_t>(m_emojis.size())) % m_emojis.size()));
}

void EmojiLane::startFlight(double now)
{
    m_currentEmoji = drawEmoji();
    const double offset = std::isfinite(m_config.initialOffset) ? m_config.initialOffset : 0;
    const double lead = m_config.duration * offset;
    m_startTime = now - (std::isfinite(lead) ? lead : 0);
    m_pending.reset();
}

double EmojiLane::flightProgress(double t)
{
    m_pending.reset();
    // A lane without a usable length, or a time too far from its start to count passes
    // in 64 bits, stands still at the start of its pass rather than divide by nothing.
    if (!m_startTime || !(m_config.duration > 0) || !std::isfinite(m_config.duration))
        return 0;
    const double q = (t - *m_startTime) / m_config.duration;
    constexpr double limit = 9.2e18; // just under 2^63
    if (!std::isfinite(q) || std::fabs(q) >= limit)
        return 0;
    const auto n = static_cast<std::int64_t>(q); // truncates toward zero
    if (m_cycleCount < n)
        m_pending = n;
    return q - static_cast<double>(n);
}

void EmojiLane::advanceCycle(std::int64_t pass)
{
    m_cycleCount = pass;
    m_currentEmoji = drawEmoji();
    m_pending.reset();
}

QPointF EmojiLane::position(double p, QSizeF area) const
{
    const double m = m_config.size + std::fabs(m_config.yOffset);
    return {p * (area.width() + 2 * m) - m, m_config.yOffset + (area.height() + m) - p * (area.height() + 2 * m)};
}
