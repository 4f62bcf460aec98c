#include "AboutWindow.h"
#include "AppInfo.h"
#include "Application.h"
#include "CommandLine.h"
#include "Launch.h"
#include "MainWindow.h"
#include "main_window/ContentView.h"
#include "texts/Texts.h"

#include <QApplication>
#include <QUrl>

#include <algorithm>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication::setOrganizationName(QString::fromUtf8(AppInfo::organization));
    QApplication::setApplicationName(QString::fromUtf8(AppInfo::applicationName));
    QApplication::setApplicationVersion(QString::fromUtf8(AppInfo::version));
    QApplication::setDesktopFileName(QString::fromUtf8(AppInfo::desktopFileName));

    // Help, version and usage errors come before QApplication, which needs a display (it
    // takes Qt's own options out of the arguments, and opens the display to do so); they are
    // in the user's language, as framepicker-cli says them.
    CommandLine line;
    try {
        line = parseCommandLine({argv + std::min(argc, 1), argv + argc});
    } catch (const Cli::UsageError& error) {
        std::fputs(Cli::usageErrorLines(error, "framepicker").c_str(), stderr);
        return 2;
    }
    if (line.action == CommandLine::Action::help) {
        std::fputs(Cli::text("cli.windowUsage").c_str(), stdout);
        return 0;
    }
    if (line.action == CommandLine::Action::version) {
        std::printf("framepicker %s\n", AppInfo::version);
        return 0;
    }

    QApplication app(argc, argv);
    Texts::installTranslations();

    Application application;
    // "Open With": each video named on the command line in a window of its own, taken as if
    // it had been dropped there.
    QList<QUrl> videos;
    for (const std::string& video : line.videos)
        videos += QUrl::fromLocalFile(QString::fromLocal8Bit(video));
    openVideos(application, videos);
    // --about opens the About window at once (the benchmark uses it).
    if (line.about)
        AboutWindow::show();

    const int status = app.exec();
    // Quit, or the last window closed: a job still running stops at once, and its earlier
    // images stay as they were.
    application.stopJobs();
    ContentView::jobs().waitForDone();
    return status;
}
