#pragma once

#include <QList>
#include <QUrl>
#include <QWidget>

class FramePair;

// The dashed rounded area with the film icon, the title and the accepted extensions, or,
// once a job is done, the two images it wrote. It lights up while files hover and tells
// what was dropped; its owner decides what to do. Disabled (while a job runs) it shows
// dimmed and turns drops down.
class DropZone : public QWidget {
    Q_OBJECT
public:
    explicit DropZone(QWidget* parent = nullptr);
    bool isTargeted() const { return m_targeted; }
    // The done state's pair of images, shown in place of the icon and the texts from its
    // setFrames() until its clear().
    FramePair* frames() const { return m_frames; }

signals:
    void urlsDropped(const QList<QUrl>& urls);
    // A click, or Enter or Space while it has the keyboard focus: the way to choose a file.
    void activated();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent*) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setTargeted(bool targeted);
    bool accepts(const QDropEvent* event) const;
    FramePair* m_frames;
    bool m_targeted = false;
    bool m_pressed = false; // the left button went down here, so its release is a click
    bool m_refocus = false; // the focus went on when the zone was disabled
    bool m_keyboardFocus = false; // the focus came by Tab or a shortcut, not a click or the window's opening
};
