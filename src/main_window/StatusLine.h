#pragma once

#include "Status.h"

#include <QElapsedTimer>
#include <QUrl>
#include <QTimer>
#include <QWidget>

#include <functional>

// The one line under the drop zone: nothing, the busy indicator with the video's name, the
// folder with a check mark, or the message with a cross.
class StatusLine : public QWidget {
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent = nullptr);
    void setStatus(const Status& status);
    // The text as drawn at the moment: one line elided, or a message on two lines with the
    // rest elided; the whole text is always the tooltip and what Copy copies.
    QString shownText() const;

    // Where a click on the done state's folder goes; the file manager unless replaced.
    std::function<void(const QUrl&)> openFolder;

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString text() const;
    Status m_status;
    QTimer m_spinner;
    QElapsedTimer m_clock;
};
