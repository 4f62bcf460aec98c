#include "AboutWindow.h"
#include "AppInfo.h"
#include "Application.h"
#include "Launch.h"
#include "MainWindow.h"
#include "main_window/ContentView.h"
#include "texts/Texts.h"

#include <QApplication>
#include <QThreadPool>
#include <QUrl>

#include <cstdio>
#include <cstring>

namespace {

void printUsage(std::FILE* to)
{
    std::fputs("Usage: framepicker [OPTION]... [VIDEO]...\n"
               "Open the Framepicker window; with VIDEO, write its exact first and last frame\n"
               "as first.png and last.png into a folder beside it, as a drop on the window does.\n"
               "Each VIDEO gets a window of its own, up to eight.\n"
               "\n"
               "  --about        open the About window too\n"
               "  -h, --help     show this help and exit\n"
               "  -V, --version  show the version and exit\n",
               to);
}

} // namespace

int main(int argc, char** argv)
{
    // Help and version need no display, so they are answered before Qt starts.
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
            printUsage(stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "-V") == 0 || std::strcmp(argv[i], "--version") == 0) {
            std::printf("framepicker %s\n", AppInfo::version);
            return 0;
        }
    }

    // Qt takes its own options (-platform, -style, ...) out of the arguments here.
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QString::fromUtf8(AppInfo::organization));
    QApplication::setApplicationName(QString::fromUtf8(AppInfo::applicationName));
    QApplication::setApplicationVersion(QString::fromUtf8(AppInfo::version));
    QApplication::setDesktopFileName(QString::fromUtf8(AppInfo::desktopFileName));
    Texts::installTranslations();

    bool about = false;
    QStringList videos;
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--")) {
            videos += arguments.mid(i + 1);
            break;
        }
        if (argument == QLatin1String("--about")) {
            about = true;
        } else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            std::fprintf(stderr, "framepicker: unknown option '%s'\nTry 'framepicker --help'.\n",
                         argument.toLocal8Bit().constData());
            return 2;
        } else {
            videos += argument;
        }
    }

    Application application;
    // "Open With": each video named on the command line in a window of its own, taken as if
    // it had been dropped there.
    openVideos(application, videos);
    // --about opens the About window at once (the benchmark uses it).
    if (about)
        AboutWindow::show();

    const int status = app.exec();
    // Quit, or the last window closed: a job still running stops at once, and its earlier
    // images stay as they were.
    application.stopJobs();
    QThreadPool::globalInstance()->waitForDone();
    return status;
}
