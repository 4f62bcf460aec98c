#pragma once

#include "Status.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

// The one line under the drop zone: nothing, the busy indicator with the video's name, the
// folder with a check mark, or the message with a cross.
class StatusLine : public QWidget {
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent = nullptr);
    void setStatus(const Status& status);
    // The text as drawn at the moment (elided as needed); for tests.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString text() const;
    Status m_status;
    QTimer m_spinner;
    QElapsedTimer m_clock;
};
