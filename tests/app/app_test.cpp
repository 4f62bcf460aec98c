// The application around the windows, offscreen: the File menu, the fixed size, and the
// message that offers a newer release.
#include "Application.h"
#include "CommandLine.h"
#include "Launch.h"
#include "MainWindow.h"
#include "main_window/ContentView.h"
#include "main_window/DropZone.h"
#include "main_window/StatusLine.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QMessageBox>
#include <QNetworkReply>
#include <QPointer>
#include <QProcess>
#include <QScopeGuard>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace {

// Windows check for updates when they appear: here against a closed loopback port, with
// the settings in a private place.
class AppTest : public testing::Test {
protected:
    void SetUp() override { start(); }
    void start()
    {
        application = std::make_unique<Application>([this](QNetworkAccessManager* network) {
            this->network = network;
            UpdateChecker::Dependencies updates;
            updates.network = network;
            updates.versionURL = QUrl(QStringLiteral("http://127.0.0.1:9/version.json"));
            updates.now = [] { return QDateTime::currentDateTime(); };
            const QString file = settingsFolder.filePath(QStringLiteral("settings.ini"));
            updates.settings = [file] { return std::make_unique<QSettings>(file, QSettings::IniFormat); };
            return updates;
        });
        application->openURL = [this](const QUrl& url) { opened.push_back(url); };
        window = application->openWindow();
    }
    void TearDown() override
    {
        if (window)
            window->close();
        delete application->updateMessage();
        ContentView::jobs().waitForDone();
        QCoreApplication::processEvents();
    }

    QTemporaryDir settingsFolder;
    std::unique_ptr<Application> application;
    QNetworkAccessManager* network = nullptr;
    QPointer<MainWindow> window;
    std::vector<QUrl> opened;
};

TEST_F(AppTest, theFileMenuOpensVideosInItsOwnWindow)
{
    const QList<QAction*> actions = window->menuBar()->actions().first()->menu()->actions();
    const auto open = std::ranges::find(actions, QKeySequence(QKeySequence::Open), &QAction::shortcut);
    ASSERT_NE(open, actions.end());
    QPointer<MainWindow> second = application->openWindow();
    int asked = 0;
    window->content()->chooseFile = [&](QWidget*) { ++asked; return QString(); };
    second->content()->chooseFile = [&](QWidget*) { ADD_FAILURE() << "the other window was asked"; return QString(); };
    (*open)->trigger();
    EXPECT_EQ(asked, 1);
    second->close();
    // A window of one size, with the application's icon.
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    const QList<QSize> icons = window->windowIcon().availableSizes();
    EXPECT_TRUE(icons.contains(QSize(256, 256)) && icons.contains(QSize(16, 16)));
}

// Videos named on the command line, or dropped together on a window: a window and a job for
// each, up to eight; one message names those left out, and what is not a video.
TEST_F(AppTest, eachVideoNamedAtStartOrDroppedTogetherGetsAWindowOfItsOwn)
{
    const std::tuple<int, bool, int, const char*> rows[] = {
        {0, false, 1, ""}, {2, false, 2, ""}, {10, false, 8, "clip8.mkv|clip9.mkv"}, {3, true, 3, "notes.txt"},
        {15, true, 8, "clip8.mkv|clip12.mkv|launch.more 2|notes.txt"}};
    for (const auto& [videos, dropped, windows, leftOut] : rows) {
        QList<QUrl> urls;
        for (int i = 0; i < videos; ++i)
            urls += QUrl::fromLocalFile(settingsFolder.filePath(QStringLiteral("clip%1.mkv").arg(i)));
        QList<MainWindow*> opened;
        QMessageBox* tooMany = nullptr;
        if (dropped) {
            // Dropped on the window that is open, as a file manager's selection is, a note first.
            urls.prepend(QUrl::fromLocalFile(settingsFolder.filePath(QStringLiteral("notes.txt"))));
            QMimeData data;
            data.setUrls(urls);
            QDropEvent drop(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(window->content()->dropZone(), &enter);
            QCoreApplication::sendEvent(window->content()->dropZone(), &drop);
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* main = qobject_cast<MainWindow*>(widget); main && main->isVisible())
                    opened += main;
                tooMany = tooMany ? tooMany : qobject_cast<QMessageBox*>(widget);
            }
        } else {
            window->close();
            const Launch launch = openVideos(*application, urls);
            opened = launch.windows;
            tooMany = launch.tooMany;
        }
        ASSERT_EQ(opened.size(), windows);
        for (const QString& name : QString::fromUtf8(leftOut).split(QLatin1Char('|'), Qt::SkipEmptyParts))
            EXPECT_TRUE(tooMany && tooMany->text().contains(name)) << name.toStdString();
        EXPECT_EQ(tooMany != nullptr, *leftOut != 0);
        delete tooMany;
        // None of them exists: each window ends with its own video's error, and is named after it.
        for (MainWindow* each : opened) {
            ContentView* view = each->content();
            EXPECT_TRUE(QTest::qWaitFor([view] { return !view->isProcessing(); }));
            EXPECT_EQ(view->statusLine()->toolTip().contains(each->windowTitle().section(QStringLiteral(" \u2014 "), 0, 0) + QStringLiteral(".mkv")), videos > 0);
            each->close();
        }
        window = application->openWindow();
    }
}

// Help > Check for Updates Daily: the same in every window; while off, no window's appearance
// asks the server, at start or later; turned on again, the next window does.
TEST_F(AppTest, theDailyUpdateCheckCanBeTurnedOffInAnyWindow)
{
    QSettings settings(settingsFolder.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    // A request's reply lives until the event loop runs again: these are the ones just made.
    const auto requests = [this] { return network->findChildren<QNetworkReply*>().size(); };
    const auto item = [](MainWindow* in) { return in->findChild<QAction*>(QStringLiteral("checkDaily")); };
    EXPECT_EQ(requests(), 1); // on by default
    QPointer<MainWindow> second = application->openWindow();
    ASSERT_TRUE(item(window) && item(window)->isChecked() && item(second) && item(second)->isChecked());
    item(second)->trigger();
    settings.sync();
    EXPECT_FALSE(item(window)->isChecked() || settings.value(QStringLiteral("updates/checkDaily"), true).toBool());
    second->close();
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // before their application

    settings.remove(QStringLiteral("UpdateChecker_lastCheckDate")); // a new day
    settings.sync();
    start();
    EXPECT_EQ(requests(), 0);
    EXPECT_FALSE(item(window)->isChecked());
    item(window)->trigger(); // on: no request at once, the next window's
    EXPECT_EQ(requests(), 0);
    second = application->openWindow();
    EXPECT_TRUE(requests() == 1 && item(second)->isChecked());
    second->close();
}

// Stands in for the desktop's browser and file manager: what reaches it went around openURL.
class Desktop : public QObject {
    Q_OBJECT
public:
    std::vector<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.push_back(url); }
};

// A newer release is offered with its notes, one message at a time; of the addresses in it,
// only https ones are opened.
TEST_F(AppTest, aNewerReleaseIsOfferedOnceAndOnlyHttpsAddressesAreOpened)
{
    // Each is the download page and a link in the notes; only the last may be opened.
    const char* const addresses[] = {"file:///etc/passwd", "javascript:alert(1)", "smb://host/share", "ftp://korvane.app/x",
                                     "http://korvane.app/x", "https:///x", "not an address", "https://korvane.app/x"};
    Desktop desktop;
    for (const char* url : addresses)
        QDesktopServices::setUrlHandler(QUrl(url).scheme(), &desktop, "open");
    const auto unset = qScopeGuard([&] {
        for (const char* url : addresses)
            QDesktopServices::unsetUrlHandler(QUrl(url).scheme());
    });
    for (const char* url : addresses) {
        const QString notes = QStringLiteral("<a href=\"%1\">Release notes</a>").arg(QString::fromUtf8(url));
        application->offerUpdate({QStringLiteral("3.0"), std::nullopt, QString::fromUtf8(url), notes});
        QMessageBox* box = application->updateMessage();
        ASSERT_NE(box, nullptr) << url;
        // While it is open, another announcement shows no second message.
        application->offerUpdate({QStringLiteral("3.1"), std::nullopt, QStringLiteral("https://a/"), std::nullopt});
        EXPECT_EQ(application->updateMessage(), box) << url;
        const QList<QLabel*> labels = box->findChildren<QLabel*>();
        const auto label = std::ranges::find(labels, notes, &QLabel::text);
        ASSERT_NE(label, labels.end()) << url;
        QTest::mouseClick(*label, Qt::LeftButton, {}, (*label)->contentsRect().topLeft() + QPoint(8, 8));
        box->defaultButton()->click();
        delete box;
    }
    const auto text = [](const std::vector<QUrl>& urls) {
        return QUrl::toStringList({urls.begin(), urls.end()}).join(QLatin1Char(' ')).toStdString();
    };
    EXPECT_EQ(text(desktop.opened), "");
    EXPECT_EQ(text(opened), "https://korvane.app/x https://korvane.app/x");
}

// Runs a program in a plain environment, with no display, in the language given: its exit
// status, a space, then what it wrote on either stream.
QString runPlainly(const char* program, const QStringList& arguments, const char* language = "en")
{
    QProcess process;
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("LANGUAGE"), QString::fromLatin1(language));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    if (const QString sanitizer = qEnvironmentVariable("ASAN_OPTIONS"); !sanitizer.isEmpty())
        environment.insert(QStringLiteral("ASAN_OPTIONS"), sanitizer);
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QString::fromUtf8(program), arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    return QString::number(process.exitCode()) + QLatin1Char(' ') + QString::fromUtf8(process.readAll());
}

// The window's program as a shell or a file manager starts it: help, version and a command
// line that makes no sense are answered with no display at all, in the session's language;
// Qt's own options (one dash or two, with their values) pass, and so does whatever follows "--".
TEST(CommandLine, helpVersionAndUsageErrorsNeedNoDisplay)
{
    const std::tuple<const char*, QStringList, QString> runs[] = {
        {"en", {QStringLiteral("--help")}, QStringLiteral("0 Usage: framepicker [OPTION]... [VIDEO]...\n")},
        {"de", {QStringLiteral("-h")}, QStringLiteral("0 Aufruf: framepicker [OPTION]... [VIDEO]...\n")},
        {"en", {QStringLiteral("-V")}, QStringLiteral("0 framepicker %1\n").arg(QStringLiteral(PROJECT_VERSION))},
        {"en", {QStringLiteral("--bogus")},
         QStringLiteral("2 framepicker: unknown option '--bogus'\nTry 'framepicker --help' for more information.\n")},
        {"de", QStringLiteral("--platform xcb -style=fusion -reverse -qwindowgeometry 10x10 --bogus").split(QLatin1Char(' ')),
         QStringLiteral("2 framepicker: unbekannte Option \u201E--bogus\u201C\n\u201Eframepicker --help\u201C gibt weitere Informationen.\n")},
        {"en", {QStringLiteral("a.mp4"), QStringLiteral("-display")},
         QStringLiteral("2 framepicker: option '-display' needs a value\nTry 'framepicker --help' for more information.\n")},
    };
    for (const auto& [language, arguments, expected] : runs) {
        const QString output = runPlainly(APP_PATH, arguments, language);
        // Of the help, its first line.
        EXPECT_TRUE(expected.endsWith(QStringLiteral("...\n")) ? output.startsWith(expected) : output == expected)
            << arguments.join(QLatin1Char(' ')).toStdString() << ": " << output.toStdString();
    }
    const std::pair<std::vector<std::string>, std::vector<std::string>> lines[] = {
        {{"-display", ":1", "a.mp4", "--qwindowtitle", "t", "--", "-b.mp4", "--about"}, {"a.mp4", "-b.mp4", "--about"}},
        {{"-about", "-", "--style=fusion", "-nograb", "-session", "s", "b.mp4"}, {"-", "b.mp4"}},
    };
    for (const auto& [arguments, videos] : lines)
        EXPECT_EQ(parseCommandLine(arguments).videos, videos) << arguments[0];
}

} // namespace

#include "app_test.moc"
