#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QWidget>

// Colours of the window's texts: the palette's text colour at decreasing strength, so that
// dark palettes work as well as light ones.
namespace Look {
QColor secondary(const QWidget* widget);
QColor tertiary(const QWidget* widget);
QColor accent();
QColor success();
QColor failure();
QFont headline(const QWidget* widget);
QFont caption(const QWidget* widget);
// Icons drawn in code, so they look right without an icon theme.
void drawFilm(QPainter& painter, const QRectF& box, const QColor& colour);
void drawCheckMark(QPainter& painter, const QRectF& box);
void drawCross(QPainter& painter, const QRectF& box);
} // namespace Look
