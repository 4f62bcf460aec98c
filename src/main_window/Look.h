#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QWidget>

// Colours of the window's texts, taken from the palette so that dark palettes work as well as
// light ones, and always readable: at least 4.5:1 against their background (WCAG 2.1 AA),
// from the palette's active colours, so that a disabled widget's words read as well.
namespace Look {
// The contrast ratio of two colours, from 1 to 21; `a` drawn over `b` where it is translucent.
double contrast(const QColor& a, const QColor& b);
// The palette's text colour faded toward the background (the palette's window colour unless
// given): secondary keeps at least 6:1, tertiary at least 4.5:1 (the text colour itself where
// a palette's own colours are closer than that).
QColor secondary(const QWidget* widget, const QColor& background = {});
QColor tertiary(const QWidget* widget, const QColor& background = {});
// A colour of its own (success, failure, accent) moved toward the palette's text colour until
// it reads on the widget's window colour: for text, or 3:1 for a mark such as a focus ring.
QColor readable(const QColor& colour, const QWidget* widget, double minimum = 4.5);
// The keyboard focus: a solid 2-pixel ring in the palette's highlight colour inside `box`.
QColor focusRing(const QWidget* widget);
void drawFocusRing(QPainter& painter, const QRectF& box, qreal radius, const QWidget* widget);
// The window's measures are given for the desktop's usual 9 pt text; a larger font makes them
// grow with it, so that each text keeps its room. 1 at 9 pt and below.
qreal scale(const QWidget* widget);
int scaled(const QWidget* widget, int pixels);
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
