#include "Look.h"

#include <QPainterPath>

namespace Look {

namespace {
QColor textAt(const QWidget* widget, double strength)
{
    QColor colour = widget->palette().color(QPalette::WindowText);
    colour.setAlphaF(strength);
    return colour;
}
} // namespace

QColor secondary(const QWidget* widget) { return textAt(widget, 0.55); }
QColor tertiary(const QWidget* widget) { return textAt(widget, 0.35); }
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
