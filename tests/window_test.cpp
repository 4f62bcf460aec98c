// The main window as a user meets it, offscreen: drops, Open Video, the status line's
// states, several windows, a window closed while its job runs.
#include "ContentView.h"
#include "MainWindow.h"
#include "TestMedia.h"
#include "VideoTypes.h"
#include "Widgets.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QTest>
#include <QThreadPool>
#include <QTranslator>
#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include "Texts.h"
#include "UpdateChecker.h"
#include <QStandardPaths>
#include "Disclaimer.h"

#include <gtest/gtest.h>

using namespace TestMedia;

namespace {

QString qpath(const fs::path& path)
{
    return QString::fromStdString(path.string());
}

// Drops the URLs on the window's drop zone as the window system would; true if accepted.
bool drop(ContentView* view, const QList<QUrl>& urls)
{
    QMimeData data;
    data.setUrls(urls);
    DropZone* zone = view->dropZone();
    const QPoint centre = zone->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(zone, &enter);
    QDropEvent dropped(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(zone, &dropped);
    return dropped.isAccepted();
}

bool waitWhileProcessing(ContentView* view)
{
    return QTest::qWaitFor([view] { return !view->isProcessing(); }, 60000);
}

QString errorOf(const ContentView* view)
{
    const auto* error = std::get_if<ContentView::Error>(&view->status());
    return error ? error->message : QStringLiteral("<no error>");
}

// Tests read the keys themselves, as a missing table shows them.
class WindowTest : public testing::Test {
protected:
    void SetUp() override { window = MainWindow::openNew(); }
    void TearDown() override
    {
        if (window)
            window->close();
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
    }
    ContentView* view() const { return window->content(); }
    QPointer<MainWindow> window;
};

TEST(VideoTypes, extensionsByTheMimeDatabase)
{
    for (const char* accepted : {"mp4", "MP4", "mov", "mpg", "avi", "mkv", "webm", "ts", "m2ts", "3gp"})
        EXPECT_TRUE(VideoTypes::isSupportedExtension(QString::fromLatin1(accepted))) << accepted;
    for (const char* refused : {"txt", "png", "mp3", "", "notatype"})
        EXPECT_FALSE(VideoTypes::isSupportedExtension(QString::fromLatin1(refused))) << refused;
    EXPECT_EQ(VideoTypes::extensionsText(), QStringLiteral("MP4, MOV, MPG, AVI"));
    EXPECT_TRUE(VideoTypes::globPatterns().contains(QStringLiteral("*.mkv")));
}

TEST_F(WindowTest, unsupportedAndUnreadableDropsSayWhy)
{
    const fs::path folder = scratchFolder("unsupported");
    const std::pair<const char*, const char*> cases[] = {
        {"notes.txt", "status.error.unsupported txt"},
        {"NOTES.TXT", "status.error.unsupported TXT"},
        {"README", "status.error.unsupported "},
        {"100%@ done%1.txt", "status.error.unsupported txt"},
    };
    for (const auto& [name, message] : cases) {
        EXPECT_TRUE(drop(view(), {QUrl::fromLocalFile(qpath(folder / name))}));
        EXPECT_EQ(errorOf(view()), QString::fromUtf8(message)) << name;
    }
    EXPECT_TRUE(drop(view(), {QUrl(QStringLiteral("https://example.org/clip.mp4"))}));
    EXPECT_EQ(errorOf(view()), QStringLiteral("status.error.readUrl"));
    // A drag without URLs is not a drop at all.
    QMimeData text;
    text.setText(QStringLiteral("clip.mp4"));
    QDropEvent dropped(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view()->dropZone(), &dropped);
    EXPECT_FALSE(dropped.isAccepted());
}

TEST_F(WindowTest, aDroppedVideoGoesThroughProcessingToDone)
{
    const fs::path folder = scratchFolder("dropFlow");
    const fs::path video = makeClip(folder / "My Clip.final.mov", Clip{});
    const fs::path other = makeClip(folder / "other.mp4", Clip{});

    EXPECT_TRUE(std::holds_alternative<ContentView::Idle>(view()->status()));
    ASSERT_TRUE(drop(view(), {QUrl::fromLocalFile(qpath(video)), QUrl::fromLocalFile(qpath(other)),
                              QUrl::fromLocalFile(qpath(folder / "third.mp4"))}));
    const auto* processing = std::get_if<ContentView::Processing>(&view()->status());
    ASSERT_NE(processing, nullptr);
    EXPECT_EQ(processing->name, QStringLiteral("My Clip.final"));
    EXPECT_EQ(view()->statusLine()->shownText(), QStringLiteral("status.processing My Clip.final"));

    // Busy: a second drop and Open Video are refused.
    int dialogs = 0;
    view()->chooseFile = [&](QWidget*) { ++dialogs; return qpath(other); };
    EXPECT_FALSE(drop(view(), {QUrl::fromLocalFile(qpath(other))}));
    view()->openFile();
    EXPECT_EQ(dialogs, 0);

    ASSERT_TRUE(waitWhileProcessing(view()));
    const auto* done = std::get_if<ContentView::Done>(&view()->status());
    ASSERT_NE(done, nullptr) << errorOf(view()).toStdString();
    EXPECT_EQ(done->folder, qpath(folder / "My Clip.final"));
    EXPECT_EQ(view()->statusLine()->toolTip(), done->folder);
    EXPECT_EQ(readMarks(readPNG(folder / "My Clip.final" / "last.png")).index, 29);
    // Only the first of the three files was taken.
    EXPECT_FALSE(fs::exists(folder / "other"));

    // Open Video once idle again: the chosen file is processed, a cancelled dialog changes nothing.
    view()->openFile();
    EXPECT_EQ(dialogs, 1);
    ASSERT_TRUE(waitWhileProcessing(view()));
    EXPECT_TRUE(fs::exists(folder / "other" / "first.png"));
    view()->chooseFile = [](QWidget*) { return QString(); };
    const auto before = view()->status().index();
    view()->openFile();
    EXPECT_EQ(view()->status().index(), before);
}

TEST_F(WindowTest, theFileMenuOpensVideosInItsOwnWindow)
{
    QMenu* file = window->menuBar()->actions().first()->menu();
    QStringList titles;
    for (QAction* action : file->actions())
        titles += action->isSeparator() ? QStringLiteral("-") : action->text();
    EXPECT_EQ(titles, QStringList({"menu.newWindow", "menu.openVideo", "-", "menu.closeWindow", "menu.quit"}));

    QAction* open = file->actions().at(1);
    EXPECT_EQ(open->shortcut(), QKeySequence(QKeySequence::Open));
    QPointer<MainWindow> second = MainWindow::openNew();
    int asked = 0;
    view()->chooseFile = [&](QWidget*) { ++asked; return QString(); };
    second->content()->chooseFile = [&](QWidget*) { ADD_FAILURE() << "the other window was asked"; return QString(); };
    open->trigger();
    EXPECT_EQ(asked, 1);
    second->close();
}

TEST_F(WindowTest, aBrokenVideoShowsTheExtractorsMessage)
{
    const fs::path folder = scratchFolder("broken");
    const fs::path video = folder / "broken.mp4";
    std::FILE* file = std::fopen(video.c_str(), "w");
    std::fputs("not a video at all", file);
    std::fclose(file);
    ASSERT_TRUE(drop(view(), {QUrl::fromLocalFile(qpath(video))}));
    ASSERT_TRUE(waitWhileProcessing(view()));
    EXPECT_TRUE(errorOf(view()).startsWith(QString::fromUtf8("\u201Cbroken.mp4\u201D could not be read as a video")))
        << errorOf(view()).toStdString();
}

// Each window its own status; one closed while its job runs is left alone.
TEST_F(WindowTest, eightWindowsRunEightJobsAtOnce)
{
    const fs::path folder = scratchFolder("eightWindows");
    std::vector<QPointer<MainWindow>> windows;
    for (int i = 0; i < 8; ++i) {
        Clip clip;
        clip.width = 1920;
        clip.height = 1080;
        clip.frames = 6 + i;
        makeClip(folder / ("clip" + std::to_string(i) + ".mp4"), clip);
        windows.emplace_back(MainWindow::openNew());
    }
    ASSERT_TRUE(drop(windows[0]->content(), {QUrl::fromLocalFile(qpath(folder / "notes.txt"))}));
    EXPECT_TRUE(std::holds_alternative<ContentView::Idle>(view()->status()));
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(drop(windows[i]->content(), {QUrl::fromLocalFile(qpath(folder / ("clip" + std::to_string(i) + ".mp4")))}));
    windows[3]->close(); // closed mid-job: deleted, never touched again, its files still written
    EXPECT_TRUE(QTest::qWaitFor([&] { return windows[3].isNull(); }, 5000));
    for (int i = 0; i < 8; ++i) {
        if (i == 3)
            continue;
        SCOPED_TRACE(i);
        ASSERT_TRUE(waitWhileProcessing(windows[i]->content()));
        const auto* done = std::get_if<ContentView::Done>(&windows[i]->content()->status());
        ASSERT_NE(done, nullptr) << errorOf(windows[i]->content()).toStdString();
        EXPECT_EQ(done->folder, qpath(folder / ("clip" + std::to_string(i))));
    }
    QThreadPool::globalInstance()->waitForDone();
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(readMarks(readPNG(folder / ("clip" + std::to_string(i)) / "last.png")).index, 5 + i) << i;
    for (auto& window : windows) {
        if (window)
            window->close();
    }
}

TEST_F(WindowTest, translatedTextsAndTheFixedSize)
{
    QTranslator german;
    ASSERT_TRUE(german.load(QStringLiteral("framepicker_de"), QStringLiteral(":/i18n")));
    QCoreApplication::installTranslator(&german);
    const fs::path folder = scratchFolder("german");
    drop(view(), {QUrl::fromLocalFile(qpath(folder / "100%@ done%1.txt"))});
    EXPECT_EQ(errorOf(view()), QString::fromUtf8("\u201Etxt\u201C-Dateien werden nicht unterst\u00FCtzt. Bitte eine Videodatei w\u00E4hlen."));
    EXPECT_TRUE(Texts::text(disclaimerText).startsWith(QStringLiteral("Framepicker wird kostenlos")));
    QCoreApplication::removeTranslator(&german);

    EXPECT_EQ(view()->size(), QSize(400, 300));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
}

struct Entry {
    QString translation;
    bool unfinished = false;
};

QMap<QString, Entry> readTable(const QString& file)
{
    QFile in(file);
    EXPECT_TRUE(in.open(QIODevice::ReadOnly)) << file.toStdString();
    QXmlStreamReader xml(&in);
    QMap<QString, Entry> table;
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            Entry entry;
            entry.unfinished = xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished");
            entry.translation = xml.readElementText();
            table.insert(source, entry);
        }
    }
    EXPECT_FALSE(xml.hasError()) << file.toStdString();
    return table;
}

TEST(Translations, everyTableHoldsEveryKeyTheCodeUses)
{
    // Keys used in the code: every Texts::text("...") call in the sources.
    QSet<QString> used;
    const QRegularExpression call(QStringLiteral(R"re(Texts::text\(\s*"([^"]+)")re"));
    for (QDirIterator it(QStringLiteral(SOURCE_DIR "/src"), {QStringLiteral("*.cpp")}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        QFile file(it.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        for (const auto& match : call.globalMatch(QString::fromUtf8(file.readAll())))
            used.insert(match.captured(1));
    }
    EXPECT_GE(used.size(), 9);
    const QStringList required = {"menu.about", "menu.openVideo", "Framepicker", "about.version %@", "about.description",
                                  "about.disclaimer", "about.poweredBy", "Korvane", "drop.title",
                                  "status.processing %@", "status.error.readUrl", "status.error.unsupported %@",
                                  "update.available", "update.download", "update.later",
                                  QString::fromUtf8(disclaimerText)};
    EXPECT_EQ(required.size(), 16);
    const QStringList tables = QDir(QStringLiteral(SOURCE_DIR "/translations")).entryList({QStringLiteral("*.ts")});
    ASSERT_GE(tables.size(), 2);
    for (const QString& name : tables) {
        SCOPED_TRACE(name.toStdString());
        const auto table = readTable(QStringLiteral(SOURCE_DIR "/translations/") + name);
        for (const QString& key : required + QStringList(used.begin(), used.end()))
            EXPECT_TRUE(table.contains(key)) << key.toStdString();
        for (auto it = table.begin(); it != table.end(); ++it) {
            EXPECT_FALSE(it->unfinished || it->translation.isEmpty()) << it.key().toStdString();
            if (it.key().contains(QLatin1String("%@"))) {
                EXPECT_EQ(it->translation.count(QLatin1String("%@")), 1) << it.key().toStdString();
            }
        }
    }
}

TEST(Translations, missingEntriesShowTheKeyWithItsArgumentInsertedOnce)
{
    EXPECT_EQ(Texts::text("drop.title"), QStringLiteral("drop.title"));
    EXPECT_EQ(Texts::text(disclaimerText), QString::fromUtf8(disclaimerText));
    EXPECT_EQ(Texts::text("status.processing %@", QStringLiteral("100%@ done%1")),
              QStringLiteral("status.processing 100%@ done%1"));
    EXPECT_EQ(Texts::text("status.error.unsupported %@", QString()), QStringLiteral("status.error.unsupported "));
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Windows check for updates when they appear: here against a closed loopback port, with
    // the settings in a private place.
    QStandardPaths::setTestModeEnabled(true);
    UpdateChecker::environment().versionURL = QUrl(QStringLiteral("http://127.0.0.1:9/version.json"));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
