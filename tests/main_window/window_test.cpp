// The main window's content as a user meets it, offscreen: drops, Open Video, the status
// line's states, several windows at once, a window closed while its job runs.
#include "Processes.h"
#include "TestMedia.h"
#include "main_window/ContentView.h"
#include "main_window/DropZone.h"
#include "main_window/Look.h"
#include "main_window/StatusLine.h"
#include "main_window/VideoTypes.h"
#include "texts/FailureText.h"
#include "texts/Texts.h"
#include "extraction/Failure.h"
#include "extraction/Worker.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>
#include <QTranslator>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <sys/mount.h>
#include <unistd.h>

using namespace TestMedia;

// The windows that asked for attention, where the window system would mark them.
static std::vector<QWindow*> alerted;
void QWindow::alert(int) { alerted.push_back(this); }

namespace {

QString qpath(const fs::path& path)
{
    return QString::fromStdString(path.string());
}

// Drags the URLs onto the window's drop zone as the window system would, and lets go unless
// told to hold them there; true if the drop was accepted.
bool drop(ContentView* view, const QList<QUrl>& urls, bool release = true)
{
    QMimeData data;
    data.setUrls(urls);
    DropZone* zone = view->dropZone();
    const QPoint centre = zone->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(zone, &enter);
    QDropEvent dropped(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    if (release)
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
    return error ? QString::fromStdString(error->message()) : QStringLiteral("<no error>");
}

// A view in a window of its own, deleted when closed, as in a main window, decoding in the
// confined worker as the application does.
ContentView* openView()
{
    static FrameExtractor::WorkerClient workers(WORKER_PATH);
    auto* view = new ContentView(workers.decoder());
    view->openItem = [](const QUrl&, const std::function<void()>&) {}; // no viewer started by a test
    view->setAttribute(Qt::WA_DeleteOnClose);
    view->show();
    return view;
}

// Tests read the keys themselves, as a missing table shows them.
class WindowTest : public testing::Test {
protected:
    void SetUp() override { m_view = openView(); }
    void TearDown() override
    {
        if (m_view)
            m_view->close();
        ContentView::jobs().waitForDone();
        QCoreApplication::processEvents();
    }
    ContentView* view() const { return m_view; }
    QPointer<ContentView> m_view;
};

// Videos are what the MIME database names so; anything else dropped is refused, saying why.
TEST_F(WindowTest, unsupportedAndUnreadableDropsSayWhy)
{
    for (const char* accepted : {"mp4", "MP4", "mov", "mpg", "avi", "mkv", "webm", "ts", "m2ts", "3gp"})
        EXPECT_TRUE(VideoTypes::isSupportedExtension(QString::fromLatin1(accepted))) << accepted;
    for (const char* refused : {"txt", "png", "mp3", "", "notatype"})
        EXPECT_FALSE(VideoTypes::isSupportedExtension(QString::fromLatin1(refused))) << refused;
    EXPECT_TRUE(VideoTypes::globPatterns().contains(QStringLiteral("*.mkv")));

    const fs::path folder = scratchFolder("unsupported");
    fs::create_directories(folder / "Photos");
    const std::pair<const char*, const char*> cases[] = {
        {"NOTES.TXT", "status.error.unsupported TXT"},
        {"README", "status.error.noExtension"},
        {"Photos", "error.folder Photos"},
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

// What a screen reader is told, and the keyboard's and the mouse's ways to the file dialog
// and the status line's menu. The focus shows only once a key brought it (not when the window
// opens), as a ring and never as the drag's blue dashes; Tab goes on to the status line once
// it shows something.
TEST_F(WindowTest, assistiveTechnologyAndTheKeyboard)
{
    DropZone* zone = view()->dropZone();
    StatusLine* line = view()->statusLine();
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(zone);
    QAccessibleInterface* status = QAccessible::queryAccessibleInterface(line);
    ASSERT_TRUE(button && status);
    EXPECT_EQ(button->role(), QAccessible::Button);
    EXPECT_EQ(button->text(QAccessible::Name), QStringLiteral("drop.title"));
    EXPECT_EQ(status->role(), QAccessible::StatusBar);
    EXPECT_EQ(line->focusPolicy(), Qt::NoFocus); // nothing to read yet

    view()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view()));
    drop(view(), {QUrl::fromLocalFile(qpath(scratchFolder("accessible") / "notes.txt"))});
    // The change event itself is not sent offscreen, where no platform accessibility runs.
    EXPECT_EQ(status->text(QAccessible::Name), QStringLiteral("status.state.error status.error.unsupported txt"));
    const QImage atStart = zone->grab().toImage(), lineAtStart = line->grab().toImage();
    zone->clearFocus();
    EXPECT_EQ(zone->grab().toImage(), atStart);
    zone->setFocus(Qt::TabFocusReason);
    const QImage focused = zone->grab().toImage();
    EXPECT_NE(focused, atStart);
    QTest::keyClick(zone, Qt::Key_Tab);
    ASSERT_TRUE(line->hasFocus());
    EXPECT_NE(line->grab().toImage(), lineAtStart);

    int dialogs = 0;
    view()->chooseFile = [&](QWidget*) { ++dialogs; return QString(); };
    QTest::keyClick(zone, Qt::Key_Space);
    QTest::keyClick(zone, Qt::Key_Return);
    QTest::mouseClick(zone, Qt::LeftButton);
    EXPECT_EQ(dialogs, 3);
    EXPECT_EQ(errorOf(view()), QStringLiteral("status.error.unsupported txt")); // a cancelled dialog changes nothing
    for (const auto& [key, modifier] : {std::pair(Qt::Key_Menu, Qt::NoModifier), std::pair(Qt::Key_F10, Qt::ShiftModifier)}) {
        QTest::keyClick(line, key, modifier);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_TRUE(menu) << key;
        EXPECT_EQ(menu->actions(), line->actions());
        menu->close();
    }

    drop(view(), {QUrl::fromLocalFile(QStringLiteral("/tmp/clip.mp4"))}, false);
    const auto blueOnTopEdge = [](const QImage& image) {
        int blue = 0;
        for (int x = 20; x < image.width() - 20; ++x)
            blue += image.pixelColor(x, 1) == Look::accent();
        return blue;
    };
    EXPECT_GT(blueOnTopEdge(zone->grab().toImage()), 50);
    EXPECT_EQ(blueOnTopEdge(focused), 0);
}

// Every text reads at 4.5:1 or better on its background, in a light and a dark palette.
TEST_F(WindowTest, everyTextHasContrastInLightAndDarkPalettes)
{
    EXPECT_NEAR(Look::contrast(QColor(0x76, 0x76, 0x76), Qt::white), 4.54, 0.01);
    EXPECT_NEAR(Look::contrast(QColor(0, 0, 0, 128), Qt::white), Look::contrast(QColor(0x7F, 0x7F, 0x7F), Qt::white), 0.01);
    for (const QPalette& palette : {QApplication::palette(), QPalette(QColor(0x30, 0x30, 0x30))}) {
        view()->setPalette(palette);
        QList<QColor> texts = {Look::secondary(view()->dropZone()), Look::tertiary(view()->dropZone())};
        JobStatus::Error offering({"The folder could not be made", {}, {}});
        offering.offersFolder = true; // its sentence, then a link
        for (const Status& state : {Status(JobStatus::Processing{}), Status(JobStatus::Done{}), Status(JobStatus::Error({"message", {}, {}})), Status(offering)}) {
            view()->statusLine()->setStatus(state);
            const QPalette colours = view()->statusLine()->findChild<QLabel*>()->palette();
            texts << colours.color(QPalette::WindowText) << colours.color(QPalette::Link);
        }
        for (const QColor& colour : texts)
            EXPECT_GE(Look::contrast(colour, palette.color(QPalette::Window)), 4.5) << texts.indexOf(colour);
        // The zone disabled while a job runs: its words as drawn, the strongest of their pixels.
        view()->dropZone()->setEnabled(false);
        const QImage disabled = view()->dropZone()->grab().toImage();
        view()->dropZone()->setEnabled(true);
        double strongest = 0;
        for (int y = disabled.height() / 2; y < disabled.height() * 3 / 4; ++y)
            for (int x = disabled.width() / 4; x < disabled.width() * 3 / 4; ++x)
                strongest = std::max(strongest, Look::contrast(disabled.pixelColor(x, y), palette.color(QPalette::Window)));
        EXPECT_GE(strongest, 4.45);
    }
}

// However long the message, the line shows what fits and keeps the whole of it at hand;
// the folder of the done state is a link, which Enter opens too.
TEST_F(WindowTest, theStatusLineNeverClipsAndKeepsTheWholeText)
{
    StatusLine* line = view()->statusLine();
    const QString message = QString::fromUtf8("\u201C") + QString(60, QLatin1Char('n'))
        + QStringLiteral(".mp4\u201D could not be read to the end (") + QStringLiteral("reason ").repeated(20) + QLatin1Char(')');
    line->setStatus(JobStatus::Error({message.toStdString(), {}, {}}));
    const QStringList lines = line->shownText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2);
    for (const QString& shown : lines)
        EXPECT_LE(QFontMetrics(Look::caption(line)).horizontalAdvance(shown), line->contentsRect().width() - 20);
    EXPECT_TRUE(lines[1].endsWith(QChar(0x2026)));
    EXPECT_EQ(line->toolTip(), message);
    line->actions().first()->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), message);
    // A part selected with the mouse is what Copy copies.
    auto* text = line->findChild<QLabel*>();
    ASSERT_TRUE(text);
    EXPECT_TRUE(line->geometry().contains(text->geometry().translated(line->pos())));
    const QPoint start(1, text->height() / 2 - QFontMetrics(text->font()).height() / 2);
    const QPoint end(QFontMetrics(text->font()).horizontalAdvance(QStringLiteral("\u201Cnnn")), start.y());
    QTest::mousePress(text, Qt::LeftButton, {}, start);
    QTest::mouseMove(text, end);
    QTest::mouseRelease(text, Qt::LeftButton, {}, end);
    EXPECT_TRUE(text->hasSelectedText());
    line->actions().first()->trigger();
    EXPECT_TRUE(message.startsWith(QGuiApplication::clipboard()->text())) << QGuiApplication::clipboard()->text().toStdString();
    EXPECT_LT(QGuiApplication::clipboard()->text().size(), 10);

    std::vector<QUrl> opened;
    QObject::connect(line, &StatusLine::folderOpenRequested, [&](const QUrl& folder) { opened.push_back(folder); });
    line->setStatus(JobStatus::Done{QStringLiteral("/tmp/a folder & <more>")});
    EXPECT_EQ(text->text().count(QStringLiteral("&lt;more&gt;")), 1);
    QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(text->width() / 2, text->height() / 2));
    QTest::keyClick(line, Qt::Key_Return);
    QTest::keyClick(line, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(opened, std::vector<QUrl>(3, QUrl::fromLocalFile(QStringLiteral("/tmp/a folder & <more>"))));
}

TEST_F(WindowTest, aDroppedVideoGoesThroughProcessingToDone)
{
    const fs::path folder = scratchFolder("dropFlow");
    const fs::path video = makeClip(folder / "My Clip.final.mov", Clip{});
    const fs::path other = makeClip(folder / "other.mp4", Clip{});

    ASSERT_TRUE(drop(view(), {QUrl::fromLocalFile(qpath(video))}));
    EXPECT_EQ(view()->statusLine()->shownText(), QStringLiteral("status.processing My Clip.final status.cancel"));

    // Busy: a second drop and Open Video are refused.
    int dialogs = 0;
    view()->chooseFile = [&](QWidget*) { ++dialogs; return qpath(other); };
    EXPECT_FALSE(drop(view(), {QUrl::fromLocalFile(qpath(other))}));
    view()->openFile();
    EXPECT_EQ(dialogs, 0);

    ASSERT_TRUE(waitWhileProcessing(view()));
    EXPECT_EQ(view()->statusLine()->toolTip(), qpath(folder / "My Clip.final")); // done: its folder
    // Only the first of the three files was taken.
    EXPECT_FALSE(fs::exists(folder / "other"));

    // Open Video once idle again: the chosen file is processed.
    view()->openFile();
    EXPECT_EQ(dialogs, 1);
    ASSERT_TRUE(waitWhileProcessing(view()));
    EXPECT_TRUE(fs::exists(folder / "other" / "first.png"));
}

// A crafted file that crashes the decoder ends its own job with a message; the window, and
// the worker for the next video, go on.
TEST(Window, aDecoderThatDiesIsAnErrorAndTheWindowGoesOn)
{
    const fs::path folder = scratchFolder("decoderDies");
    writeFile(folder / "crash.mp4", "crash");
    writeFile(folder / "fine.mp4", "fine");
    FrameExtractor::WorkerClient crashing(FAKE_WORKER_PATH); // decodes as its input says
    ContentView view(crashing.decoder());
    view.processVideo(qpath(folder / "crash.mp4"));
    ASSERT_TRUE(waitWhileProcessing(&view));
    EXPECT_EQ(errorOf(&view).toStdString(), "error.workerStopped crash.mp4error.reason reason.segmentationFault");
    view.processVideo(qpath(folder / "fine.mp4"));
    ASSERT_TRUE(waitWhileProcessing(&view));
    EXPECT_TRUE(std::holds_alternative<ContentView::Done>(view.status())) << errorOf(&view).toStdString();
}

// A long job shows how far it is and the time left, rising, and never all of it before its
// images are in place; Escape stops the next at once, leaving the earlier pair as it was and
// no child of the worker behind. An image or folder that nothing opens is said, with its path.
TEST(Window, aLongJobShowsItsProgressAndEscapeCancelsIt)
{
    const fs::path folder = scratchFolder("progress");
    writeFile(folder / "long.mp4", "steady");
    FrameExtractor::WorkerClient workers(FAKE_WORKER_PATH); // three seconds, reporting progress
    ContentView view(workers.decoder());
    view.show();
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    std::vector<double> shown;
    bool timeLeft = false;
    QObject::connect(&view, &ContentView::statusChanged, [&] {
        if (const auto* processing = std::get_if<ContentView::Processing>(&view.status())) {
            shown.push_back(processing->done);
            timeLeft = timeLeft || processing->secondsLeft >= 0;
        }
    });
    view.processVideo(qpath(folder / "long.mp4"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shown.empty() && shown.back() > 0.3; }, 10000));
    EXPECT_TRUE(view.statusLine()->shownText().contains(QStringLiteral("status.percent ")));
    ASSERT_TRUE(waitWhileProcessing(&view));
    ASSERT_TRUE(std::holds_alternative<ContentView::Done>(view.status())) << errorOf(&view).toStdString();
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
    EXPECT_GE(shown.back(), 0.85);
    EXPECT_LT(shown.back(), 1.0);
    EXPECT_TRUE(timeLeft);
    const std::string first = contents(folder / "long" / "first.png"), last = contents(folder / "long" / "last.png");

    view.processVideo(qpath(folder / "long.mp4"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.back() >= 0.5 && view.isProcessing(); }, 10000));
    EXPECT_TRUE(view.statusLine()->shownText().endsWith(QStringLiteral("status.cancel")));
    QTest::keyClick(&view, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view.isProcessing(); }, 1000));
    EXPECT_TRUE(std::holds_alternative<ContentView::Cancelled>(view.status()));
    EXPECT_EQ(view.statusLine()->shownText(), QStringLiteral("status.cancelled"));
    EXPECT_EQ(contents(folder / "long" / "first.png"), first);
    EXPECT_EQ(contents(folder / "long" / "last.png"), last);
    EXPECT_TRUE(QTest::qWaitFor([] {
        return std::ranges::all_of(childrenOf(::getpid()), [](pid_t server) { return childrenOf(server).empty(); });
    }, 5000));
    // "Cancel" by keyboard: the focus leaves the disabled drop zone for the status line, and
    // Tab goes on to its link.
    view.dropZone()->setFocus();
    view.processVideo(qpath(folder / "long.mp4"));
    ASSERT_TRUE(view.statusLine()->hasFocus());
    QTest::keyClick(view.statusLine(), Qt::Key_Tab);
    QTest::qWait(500); // the progress is rewritten meanwhile
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return std::holds_alternative<ContentView::Cancelled>(view.status()); }, 1000));

    view.openItem = [](const QUrl&, const std::function<void()>& failed) { failed(); };
    view.processVideo(qpath(folder / "long.mp4"));
    ASSERT_TRUE(waitWhileProcessing(&view));
    QTest::keyClick(view.statusLine(), Qt::Key_Return);
    EXPECT_EQ(errorOf(&view), QStringLiteral("status.error.cannotOpen ") + qpath(folder / "long"));
}

// Each window its own status; one closed while its job runs is left alone.
TEST_F(WindowTest, eightWindowsRunEightJobsAtOnce)
{
    const fs::path folder = scratchFolder("eightWindows");
    const auto clip = [&](int i, const char* extension = "") { return folder / ("clip" + std::to_string(i) + extension); };
    std::vector<QPointer<ContentView>> windows;
    for (int i = 0; i < 8; ++i) {
        makeClip(clip(i, ".mp4"), Clip{.frames = 6 + i, .width = 1920, .height = 1080});
        windows.emplace_back(openView());
    }
    view()->activateWindow(); // the user works elsewhere: each window asks for attention when done
    ASSERT_TRUE(QTest::qWaitForWindowActive(view()));
    alerted.clear();
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(drop(windows[i].data(), {QUrl::fromLocalFile(qpath(clip(i, ".mp4")))}));
    windows[3]->close(); // closed mid-job: deleted, never touched again, its files still written
    EXPECT_TRUE(QTest::qWaitFor([&] { return windows[3].isNull(); }, 5000));
    for (const int i : {0, 1, 2, 4, 5, 6, 7}) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(waitWhileProcessing(windows[i].data()));
        // Done, with its own folder (an error's tooltip is the message).
        EXPECT_EQ(windows[i]->statusLine()->toolTip(), qpath(clip(i)));
        EXPECT_EQ(std::ranges::count(alerted, windows[i]->windowHandle()), 1);
        windows[i]->close();
    }
    ContentView::jobs().waitForDone();
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(readMarks(readPNG(clip(i) / "last.png")).index, 5 + i) << i;
}

// A German and a Japanese session: the window's own refusals and the extractor's failures in
// the session's words, the library's and the system's reasons too; a long name gives way,
// so the line still shows what is happening and why.
TEST_F(WindowTest, translatedTextsAndALongName)
{
    const struct {
        // processing: the shown line's words after the long name.
        const char *table, *unsupported, *unreadable, *processing, *folderError;
    } sessions[] = {
        {"framepicker_de", "\u201Etxt\u201C-Dateien werden nicht unterst\u00FCtzt. Bitte eine Videodatei w\u00E4hlen.",
         "\u201Ekaputt.mp4\u201C konnte nicht als Video gelesen werden (ung\u00FCltige Daten).", "\u201C wird verarbeitet \u2026 Abbrechen",
         "\u201C konnte nicht angelegt werden (eine Datei dieses Namens existiert)."},
        {"framepicker_ja", "\u300Ctxt\u300D\u30D5\u30A1\u30A4\u30EB\u306B\u306F\u5BFE\u5FDC\u3057\u3066\u3044\u307E\u305B\u3093\u3002\u30D3\u30C7\u30AA\u30D5\u30A1\u30A4\u30EB\u3092\u9078\u629E\u3057\u3066\u304F\u3060\u3055\u3044\u3002",
         "\u300Ckaputt.mp4\u300D\u3092\u30D3\u30C7\u30AA\u3068\u3057\u3066\u8AAD\u307F\u8FBC\u3081\u307E\u305B\u3093\u3067\u3057\u305F\uFF08\u7121\u52B9\u306A\u30C7\u30FC\u30BF\uFF09\u3002",
         "\u300D\u3092\u51E6\u7406\u4E2D\u2026\u30AD\u30E3\u30F3\u30BB\u30EB",
         "\u300D\u3092\u4F5C\u6210\u3067\u304D\u307E\u305B\u3093\u3067\u3057\u305F\uFF08\u540C\u3058\u540D\u524D\u306E\u30D5\u30A1\u30A4\u30EB\u304C\u3042\u308A\u307E\u3059\uFF09\u3002"},
    };
    for (const auto& session : sessions) {
        SCOPED_TRACE(session.table);
        QTranslator table;
        ASSERT_TRUE(table.load(QString::fromLatin1(session.table), QStringLiteral(":/i18n")));
        QCoreApplication::installTranslator(&table);
        const fs::path folder = scratchFolder(session.table);
        drop(view(), {QUrl::fromLocalFile(qpath(folder / "100%@ done%1.txt"))});
        EXPECT_EQ(errorOf(view()).toStdString(), session.unsupported);
        writeFile(folder / "kaputt.mp4", "not a video at all");
        ASSERT_TRUE(drop(view(), {QUrl::fromLocalFile(qpath(folder / "kaputt.mp4"))}));
        ASSERT_TRUE(waitWhileProcessing(view()));
        EXPECT_EQ(errorOf(view()).toStdString(), session.unreadable);
        // A file where the folder would go (root may write anywhere, so not a read-only folder).
        const std::string name = "Strand am Abend mit der ganzen Familie und den Hunden 2024";
        const fs::path video = makeClip(folder / (name + ".mp4"), Clip{.frames = 2});
        writeFile(folder / name, "in the way");
        ASSERT_TRUE(drop(view(), {QUrl::fromLocalFile(qpath(video))}));
        // Spaces aside, as the line may break at one.
        const auto shows = [&](const char* end) {
            const QString shown = view()->statusLine()->shownText().remove(QRegularExpression(QStringLiteral("\\s")));
            return shown.contains(QStringLiteral("2024")) && shown.endsWith(QString::fromUtf8(end).remove(QLatin1Char(' ')));
        };
        EXPECT_TRUE(shows(session.processing)) << view()->statusLine()->shownText().toStdString();
        ASSERT_TRUE(waitWhileProcessing(view()));
        EXPECT_TRUE(shows(session.folderError)) << view()->statusLine()->shownText().toStdString();
        QCoreApplication::removeTranslator(&table);
    }
}

// A folder the video's folder cannot be made in: the error offers another place, by
// keyboard as by mouse, and the job runs again into a folder named after the video there.
TEST_F(WindowTest, aReadOnlyFolderOffersAnotherPlace)
{
    const fs::path folder = scratchFolder("readOnly");
    fs::create_directory(folder / "card");
    const fs::path video = makeClip(folder / "card" / "clip.mov", Clip{});
    // chmod does not stop root; a read-only bind mount does.
    struct ReadOnly {
        fs::path folder;
        bool mounted = false;
        ~ReadOnly() { mounted ? void(::umount2(folder.c_str(), MNT_DETACH)) : fs::permissions(folder, fs::perms::owner_all); }
    } readOnly{folder / "card"};
    if (::geteuid() != 0)
        fs::permissions(readOnly.folder, fs::perms::owner_read | fs::perms::owner_exec);
    else if (!(readOnly.mounted = ::mount(readOnly.folder.c_str(), readOnly.folder.c_str(), nullptr, MS_BIND, nullptr) == 0)
             || ::mount(nullptr, readOnly.folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
        GTEST_SKIP() << "not checked: root ignores the folder's mode and cannot bind-mount it read-only here";

    view()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view()));
    view()->dropZone()->setFocus(); // as the window opens
    int asked = 0;
    fs::create_directory(folder / "stills"); // the dialog offers only folders that exist
    view()->chooseFolder = [&](QWidget*) { ++asked; return qpath(folder / "stills"); };
    for (int attempt = 0; attempt < 2; ++attempt) {
        ASSERT_TRUE(drop(view(), {QUrl::fromLocalFile(qpath(video))}));
        ASSERT_TRUE(waitWhileProcessing(view()));
        EXPECT_TRUE(view()->statusLine()->shownText().endsWith(QStringLiteral("status.chooseFolder")))
            << view()->statusLine()->shownText().toStdString();
        EXPECT_EQ(asked, attempt); // never the last choice without asking
        auto* text = view()->statusLine()->findChild<QLabel*>();
        if (attempt == 0) {
            // Tab: the status line itself (its state, Copy), then the link in it.
            QTest::keyClick(view()->dropZone(), Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            ASSERT_TRUE(text->hasFocus());
            // The window's ring, round the link only.
            const QImage ringed = view()->statusLine()->grab().toImage();
            int ring = 0, left = 0; // of the ring's colour: round the link, and left of the text
            for (int y = 0; y < ringed.height(); ++y)
                for (int x = 0; x < ringed.width(); ++x)
                    if (ringed.pixelColor(x, y) == Look::focusRing(view()->statusLine()))
                        ++(x < text->x() ? left : ring);
            EXPECT_GT(ring, 40);
            EXPECT_EQ(left, 0);
            QTest::keyClick(text, Qt::Key_Return);
        } else {
            const QFontMetrics metrics(text->font()); // the link ends the second line
            const int end = metrics.horizontalAdvance(view()->statusLine()->shownText().section(QLatin1Char('\n'), 1));
            QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(end - metrics.averageCharWidth(), text->height() / 2 + metrics.height() / 2));
        }
        EXPECT_EQ(asked, attempt + 1);
        ASSERT_TRUE(waitWhileProcessing(view()));
        if (attempt == 0) { // the link that had the focus is gone: the line shows it instead
            EXPECT_EQ(QApplication::focusWidget(), view()->statusLine()) << QApplication::focusWidget()->metaObject()->className();
        }
        EXPECT_EQ(view()->statusLine()->toolTip(), qpath(folder / "stills" / "clip")); // done: its folder
        EXPECT_EQ(readMarks(readPNG(folder / "stills" / "clip" / "last.png")).index, 29);
        fs::remove_all(folder / "stills" / "clip");
    }
}

// At 9 to 14 pt, in every language, the window grows with its font: a long error (a name, a
// reason, a link) fits its two lines with the reason and the link whole, and no line breaks
// inside a Chinese or Japanese word or starts with closing punctuation.
TEST(Window, everyLanguageFitsAtEveryFontSize)
{
    const QFont before = QApplication::font();
    const auto restore = qScopeGuard([&] { QApplication::setFont(before); });
    const auto together = [](QChar c) { return c.script() == QChar::Script_Han || c.script() == QChar::Script_Hiragana || c.script() == QChar::Script_Katakana; };
    for (const char* language : {"en", "de", "es", "fr", "ja", "zh_CN"}) {
        QTranslator table;
        ASSERT_TRUE(table.load(QStringLiteral("framepicker_%1").arg(QLatin1String(language)), QStringLiteral(":/i18n")));
        QCoreApplication::installTranslator(&table);
        for (const int points : {9, 11, 14}) {
            SCOPED_TRACE(std::string(language) + " at " + std::to_string(points) + " pt");
            QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), points));
            QPointer<ContentView> view = openView();
            const FailureWords words = failureWords(
                std::make_exception_ptr(FrameExtractor::Failure(FrameExtractor::Failure::Kind::cannotCreateFolder,
                                                                "/media/card/DCIM/Summer holiday at the lake with everyone 2026",
                                                                std::make_error_code(std::errc::read_only_file_system))),
                [](const char* key) { return Texts::text(key).toStdString(); });
            StatusLine* line = view->statusLine();
            line->setStatus(words);
            const QString shown = line->shownText(), link = Texts::text("status.chooseFolder");
            const QStringList lines = shown.split(QLatin1Char('\n'));
            const QFontMetrics metrics(Look::caption(line));
            EXPECT_LE(lines.size() * metrics.lineSpacing(), line->contentsRect().height());
            for (const QString& each : lines)
                EXPECT_LE(metrics.horizontalAdvance(each), line->contentsRect().width()) << each.toStdString();
            EXPECT_TRUE(lines.last().endsWith(link)) << shown.toStdString();
            const QString tail = QString::fromStdString(words.tail).trimmed();
            EXPECT_TRUE(QString(shown).remove(QRegularExpression(QStringLiteral("\\s"))).contains(QString(tail).remove(QRegularExpression(QStringLiteral("\\s")))))
                << shown.toStdString();
            for (qsizetype at = shown.indexOf(QLatin1Char('\n')); at > 0; at = shown.indexOf(QLatin1Char('\n'), at + 1)) {
                EXPECT_FALSE(together(shown.at(at - 1)) && together(shown.at(at + 1))) << shown.toStdString();
                EXPECT_FALSE(QStringLiteral("\u3002\u3001\uFF09\u300D\uFF0C.,;:)").contains(shown.at(at + 1))) << shown.toStdString();
            }
            // The drop zone's title and hint, whole.
            DropZone* zone = view->dropZone();
            EXPECT_LE(QFontMetrics(Look::headline(zone)).horizontalAdvance(Texts::text("drop.title")), zone->width() - 16);
            EXPECT_LE(QFontMetrics(Look::caption(zone)).horizontalAdvance(Texts::text("drop.hint %@", VideoTypes::extensionsText())),
                      zone->width() - 16);
            view->close();
        }
        QCoreApplication::removeTranslator(&table);
    }
}

} // namespace
