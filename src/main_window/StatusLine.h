#pragma once

#include "Status.h"

#include <QElapsedTimer>
#include <QRect>
#include <QUrl>
#include <QTimer>
#include <QWidget>

#include <functional>

class QLabel;

// The one line under the drop zone: nothing; the progress with the video's name, how far the
// job is and the time left, and a link to cancel it; the folder with a check mark; the
// message with a cross (and, when another folder may help, a link to choose one); or
// "Cancelled". The text can be selected with the mouse; the done state's folder is
// a link.
class StatusLine : public QWidget {
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent = nullptr);
    void setStatus(const Status& status);
    // The text as drawn at the moment, lines apart by '\n': one line, or a message on two.
    // A name or path is shortened in its middle first, so the rest stays whole; the whole
    // text is always the tooltip, and what Copy copies unless a part of it is selected.
    QString shownText() const;

signals:
    // The done state's folder was clicked, or Enter pressed on it.
    void folderOpenRequested(const QUrl& folder);
    // The error's "Choose Another Folder…" was activated, by mouse or keyboard.
    void folderChoiceRequested();
    // The processing state's "Cancel" was activated, by mouse or keyboard.
    void cancelRequested();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    // With text the line is a Tab stop: Enter opens the done state's folder, the Menu key
    // and Shift+F10 open the context menu with Copy.
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent*) override { update(); }
    void focusOutEvent(QFocusEvent*) override { update(); }

private:
    // The text in three parts: the words around the name, and the name, which gives way first.
    NamedSentence parts() const;
    QString text() const;
    // The link the state offers after its text: "Cancel" or "Choose Another Folder…"; or none.
    QString link() const;
    void layOutText();
    // The state's icon before the text, and the gap between them, in the font's measure.
    int iconSize() const;
    int iconGap() const;
    QString accessibleText() const; // the state, then the text
    Status m_status;
    QLabel* m_label;
    QRect m_linkBox; // where the label draws its link, if it has one
    QTimer m_spinner;
    QElapsedTimer m_clock;
};
