#pragma once

#include "ContentView.h"

#include <QElapsedTimer>
#include <QTimer>
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

// The dashed rounded area with the film icon, the title and the accepted extensions.
class DropZone : public QWidget {
public:
    explicit DropZone(ContentView* view);
    bool isTargeted() const { return m_targeted; }

protected:
    void paintEvent(QPaintEvent*) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void setTargeted(bool targeted);
    ContentView* m_view;
    bool m_targeted = false;
};

// The one line under the drop zone: nothing, the busy indicator with the video's name, the
// folder with a check mark, or the message with a cross.
class StatusLine : public QWidget {
public:
    explicit StatusLine(QWidget* parent = nullptr);
    void show(const ContentView::Status& status);
    // The text as drawn at the moment (elided as needed); for tests.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString text() const;
    ContentView::Status m_status;
    QTimer m_spinner;
    QElapsedTimer m_clock;
};
