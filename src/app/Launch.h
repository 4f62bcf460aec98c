#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

class Application;
class MainWindow;
class QMessageBox;

// What the command line or a drop of several videos opens: a window of its own for each
// video, each started on its video as a drop would be (as File > New Window and a drop do),
// up to maxWindows; an empty window when the command line names none. Videos past that, and
// among videos whatever is not one, are left out, and a message names them.
struct Launch {
    static constexpr int maxWindows = 8;
    QList<MainWindow*> windows;
    QMessageBox* tooMany = nullptr; // what was left out; deleted when closed
};
// With `into`, the first video is that window's (the one it was dropped on).
Launch openVideos(Application& application, const QList<QUrl>& videos, MainWindow* into = nullptr);

// The videos left out, by name, as many as read well in a message, then how many more.
QString leftOutText(const QStringList& names);
