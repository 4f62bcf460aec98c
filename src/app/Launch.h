#pragma once

#include <QList>
#include <QStringList>

class Application;
class MainWindow;
class QMessageBox;

// What the command line opens: a window of its own for each video named, each started on its
// video as a drop would be (as File > New Window and a drop do), up to maxWindows; an empty
// window when none is named. Videos past that are left out, and a message says how many.
struct Launch {
    static constexpr int maxWindows = 8;
    QList<MainWindow*> windows;
    QMessageBox* tooMany = nullptr; // deleted when closed
};
Launch openVideos(Application& application, const QStringList& videos);
