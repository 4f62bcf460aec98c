#pragma once

#include <QList>
#include <QUrl>
#include <QWidget>

// The dashed rounded area with the film icon, the title and the accepted extensions. It
// lights up while files hover and tells what was dropped; its owner decides what to do.
class DropZone : public QWidget {
    Q_OBJECT
public:
    explicit DropZone(QWidget* parent = nullptr);
    bool isTargeted() const { return m_targeted; }
    // While refusing (a job runs), drops are turned down; hovering still lights it up.
    void setRefusingDrops(bool refusing) { m_refusing = refusing; }

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

private:
    void setTargeted(bool targeted);
    bool m_targeted = false;
    bool m_refusing = false;
    bool m_keyboardFocus = false; // the focus came by Tab or a shortcut, not a click or the window's opening
};
