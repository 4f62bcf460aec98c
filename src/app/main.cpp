#include "AboutWindow.h"
#include "AppInfo.h"
#include "Application.h"
#include "Launch.h"
#include "MainWindow.h"
#include "main_window/ContentView.h"
#include "texts/Texts.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QUrl>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication::setOrganizationName(QString::fromUtf8(AppInfo::organization));
    QApplication::setApplicationName(QString::fromUtf8(AppInfo::applicationName));
    QApplication::setApplicationVersion(QString::fromUtf8(AppInfo::version));
    QApplication::setDesktopFileName(QString::fromUtf8(AppInfo::desktopFileName));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Open the Framepicker window; with VIDEO, write its exact first and last frame as first.png\n"
        "and last.png into a folder beside it, as a drop on the window does. Each VIDEO gets a window\n"
        "of its own, up to eight."));
    parser.addPositionalArgument(QStringLiteral("VIDEO"), QStringLiteral("A video to start with."),
                                 QStringLiteral("[VIDEO]..."));
    const QCommandLineOption about(QStringLiteral("about"), QStringLiteral("Open the About window too."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("V"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    parser.addOptions({about, help, version});
    // Qt's own options are single-dash words: "-stylesheet" must not read as "-s -t -y ... -h".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);

    // Qt's own options (-platform, -style, ...) are known only once QApplication has taken
    // them out of the arguments, and it opens the display to do so. Help and version need
    // none, so they are looked for in the arguments as given, before it exists.
    QStringList given;
    for (int i = 0; i < argc; ++i)
        given += QString::fromLocal8Bit(argv[i]);
    parser.parse(given);
    if (parser.isSet(help) || parser.isSet(version)) {
        const QCoreApplication core(argc, argv); // names the program in the usage line
        if (parser.isSet(help))
            std::fputs(qPrintable(parser.helpText()), stdout);
        else
            std::printf("framepicker %s\n", AppInfo::version);
        return 0;
    }

    QApplication app(argc, argv);
    Texts::installTranslations();
    if (!parser.parse(QApplication::arguments())) {
        std::fprintf(stderr, "framepicker: %s\nTry 'framepicker --help'.\n", qPrintable(parser.errorText()));
        return 2;
    }

    Application application;
    // "Open With": each video named on the command line in a window of its own, taken as if
    // it had been dropped there.
    QList<QUrl> videos;
    for (const QString& video : parser.positionalArguments())
        videos += QUrl::fromLocalFile(video);
    openVideos(application, videos);
    // --about opens the About window at once (the benchmark uses it).
    if (parser.isSet(about))
        AboutWindow::show();

    const int status = app.exec();
    // Quit, or the last window closed: a job still running stops at once, and its earlier
    // images stay as they were.
    application.stopJobs();
    ContentView::jobs().waitForDone();
    return status;
}
