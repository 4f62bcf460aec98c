#pragma once

#include "extraction/FrameExtractor.h"

#include <QMainWindow>

class ContentView;

// One main window: its menus and its own ContentView with its own status.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(FrameExtractor::Decoder decoder, QWidget* parent = nullptr);
    ContentView* content() const { return m_content; }

signals:
    // The first time the window is shown: the moment for the daily update check.
    void firstShown();
    void newWindowRequested();
    // Several videos were dropped here: the first is for this window, each other one for a
    // window of its own.
    void videosDropped(const QList<QUrl>& videos, MainWindow* window);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    bool m_appeared = false;
    ContentView* m_content;
};
