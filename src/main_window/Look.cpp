#include "Look.h"

#include <QFontInfo>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace Look {

namespace {
double luminance(const QColor& colour)
{
    const auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

QColor blend(const QColor& from, const QColor& to, double f)
{
    const auto mix = [f](int a, int b) { return qRound(a + (b - a) * f); };
    return QColor(mix(from.red(), to.red()), mix(from.green(), to.green()), mix(from.blue(), to.blue()));
}

// `from` moved toward `to`, at least `start` of the way and further only as far as it takes
// to reach `minimum` contrast against `background`; `to` itself when nothing short of it does.
// Stepped rather than bisected: contrast need not grow steadily along the way.
QColor towardContrast(const QColor& from, const QColor& to, const QColor& background, double start, double minimum)
{
    constexpr int steps = 64;
    for (int i = 0; i <= steps; ++i) {
        const QColor colour = blend(from, to, start + (1 - start) * i / steps);
        if (contrast(colour, background) >= minimum)
            return colour;
    }
    return to;
}

QColor windowOf(const QWidget* widget, const QColor& background)
{
    return background.isValid() ? background : widget->palette().color(QPalette::Active, QPalette::Window);
}
} // namespace

double contrast(const QColor& a, const QColor& b)
{
    // A translucent colour counts as drawn over the other.
    const double la = luminance(a.alpha() == 255 ? a : blend(b, a, a.alphaF())), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor secondary(const QWidget* widget, const QColor& background)
{
    const QColor window = windowOf(widget, background);
    return towardContrast(window, widget->palette().color(QPalette::Active, QPalette::WindowText), window, 0.55, 6.0);
}

QColor tertiary(const QWidget* widget, const QColor& background)
{
    const QColor window = windowOf(widget, background);
    return towardContrast(window, widget->palette().color(QPalette::Active, QPalette::WindowText), window, 0.35, 4.5);
}

QColor readable(const QColor& colour, const QWidget* widget, double minimum)
{
    return towardContrast(colour, widget->palette().color(QPalette::Active, QPalette::WindowText), windowOf(widget, {}), 0, minimum);
}

QColor focusRing(const QWidget* widget)
{
    return readable(widget->palette().color(QPalette::Active, QPalette::Highlight), widget, 3.0);
}

void drawFocusRing(QPainter& painter, const QRectF& box, qreal radius, const QWidget* widget)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(focusRing(widget), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(box.adjusted(1, 1, -1, -1), radius, radius);
    painter.restore();
}

qreal scale(const QWidget* widget)
{
    return std::max(1.0, QFontInfo(widget->font()).pointSizeF() / 9.0);
}

int scaled(const QWidget* widget, int pixels)
{
    return qRound(pixels * scale(widget));
}

QColor accent() { return QColor(0x0A, 0x84, 0xFF); }
QColor success() { return QColor(0x28, 0xA7, 0x45); }
QColor failure() { return QColor(0xE0, 0x2F, 0x2F); }

QFont headline(const QWidget* widget)
{
    QFont font = widget->font();
    font.setBold(true);
    return font;
}

QFont caption(const QWidget* widget)
{
    QFont font = widget->font();
    font.setPointSizeF(font.pointSizeF() * 0.85);
    return font;
}

void drawFilm(QPainter& painter, const QRectF& box, const QColor& colour)
{
    // A strip of film: a rounded frame with sprocket holes down both edges.
    const qreal w = box.width(), h = box.height();
    const QRectF strip(box.left() + w * 0.12, box.top(), w * 0.76, h);
    QPainterPath path;
    path.addRoundedRect(strip, w * 0.08, w * 0.08);
    const qreal hole = w * 0.09, margin = w * 0.06;
    for (int i = 0; i < 5; ++i) {
        const qreal y = strip.top() + h * (0.08 + i * 0.19);
        path.addRect(QRectF(strip.left() + margin, y, hole, hole * 1.1));
        path.addRect(QRectF(strip.right() - margin - hole, y, hole, hole * 1.1));
    }
    path.addRect(QRectF(strip.left() + margin * 2 + hole, strip.top() + h * 0.08, strip.width() - 2 * (margin * 2 + hole),
                        h * 0.38));
    path.addRect(QRectF(strip.left() + margin * 2 + hole, strip.top() + h * 0.54, strip.width() - 2 * (margin * 2 + hole),
                        h * 0.38));
    path.setFillRule(Qt::OddEvenFill);
    painter.fillPath(path, colour);
}

namespace {
void drawBadge(QPainter& painter, const QRectF& box, const QColor& colour, const QPainterPath& mark)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(box);
    QPen pen(Qt::white, box.width() * 0.13, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(mark);
}
} // namespace

void drawCheckMark(QPainter& painter, const QRectF& box)
{
    QPainterPath mark;
    mark.moveTo(box.left() + box.width() * 0.28, box.top() + box.height() * 0.52);
    mark.lineTo(box.left() + box.width() * 0.44, box.top() + box.height() * 0.68);
    mark.lineTo(box.left() + box.width() * 0.73, box.top() + box.height() * 0.35);
    drawBadge(painter, box, success(), mark);
}

void drawCross(QPainter& painter, const QRectF& box)
{
    QPainterPath mark;
    const QRectF inner = box.adjusted(box.width() * 0.32, box.height() * 0.32, -box.width() * 0.32, -box.height() * 0.32);
    mark.moveTo(inner.topLeft());
    mark.lineTo(inner.bottomRight());
    mark.moveTo(inner.topRight());
    mark.lineTo(inner.bottomLeft());
    drawBadge(painter, box, failure(), mark);
}

} // namespace Look
