#include "AboutWindow.h"
#include "ContentView.h"
#include "MainWindow.h"
#include "Texts.h"

#include <QApplication>
#include <QThreadPool>
#include <QUrl>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Korvane"));
    QApplication::setApplicationName(QStringLiteral("Framepicker"));
    QApplication::setApplicationVersion(QStringLiteral(FRAMEPICKER_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("framepicker"));
    Texts::installTranslations();

    MainWindow* window = MainWindow::openNew();
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    // --about opens the About window at once (the benchmark uses it).
    if (arguments.removeAll(QStringLiteral("--about")) > 0)
        AboutWindow::show();
    // "Open With": a video named on the command line is taken as if it had been dropped.
    if (!arguments.isEmpty())
        window->content()->handleLoadedURL(QUrl::fromLocalFile(arguments.first()));

    const int status = app.exec();
    // A job still running finishes its files before the process ends.
    QThreadPool::globalInstance()->waitForDone();
    return status;
}
