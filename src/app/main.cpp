#include "AboutWindow.h"
#include "AppInfo.h"
#include "Application.h"
#include "MainWindow.h"
#include "main_window/ContentView.h"
#include "texts/Texts.h"

#include <QApplication>
#include <QThreadPool>
#include <QUrl>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QString::fromUtf8(AppInfo::organization));
    QApplication::setApplicationName(QString::fromUtf8(AppInfo::applicationName));
    QApplication::setApplicationVersion(QString::fromUtf8(AppInfo::version));
    QApplication::setDesktopFileName(QString::fromUtf8(AppInfo::desktopFileName));
    Texts::installTranslations();

    Application application;
    MainWindow* window = application.openWindow();
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
