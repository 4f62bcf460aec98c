// The done state's two images in the drop zone, the zone while a job runs, and opening an
// image with the desktop's handler, offscreen.
#include "TestMedia.h"
#include "main_window/DesktopOpener.h"
#include "main_window/DropZone.h"
#include "main_window/FramePair.h"

#include <QAccessible>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// As a screen reader, the mouse and the keyboard meet the pair; a drag out carries the file.
TEST(FramePair, theTwoImagesOpenAndDragOutAndTheDisabledZoneRefusesDrops)
{
    const TestMedia::fs::path trip = TestMedia::scratchFolder("trip");
    const QString folder = QString::fromStdString(trip.string());
    QImage frame(1920, 1080, QImage::Format_RGB32), largest(8192, 4352, QImage::Format_ARGB32);
    frame.fill(Qt::darkCyan);
    largest.fill(Qt::red);
    ASSERT_TRUE(frame.save(folder + QStringLiteral("/first.png")) && frame.save(folder + QStringLiteral("/last.png"))
                && largest.save(folder + QStringLiteral("/largest.png")));
    const QImage thumbnail = FramePair::thumbnail(QByteArray::fromStdString(TestMedia::contents(trip / "first.png")), QSize(320, 240));
    EXPECT_EQ(thumbnail.size(), QSize(320, 180));
    // The largest frame a job writes decodes too; what is not a PNG does not.
    EXPECT_EQ(FramePair::thumbnail(QByteArray::fromStdString(TestMedia::contents(trip / "largest.png")), QSize(320, 240)).size(), QSize(320, 170));
    EXPECT_TRUE(FramePair::thumbnail(QByteArrayLiteral("GIF89a"), QSize(320, 240)).isNull());

    DropZone zone;
    zone.resize(336, 220);
    zone.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&zone));
    QSignalSpy opened(zone.frames(), &FramePair::imageActivated), chosen(&zone, &DropZone::activated);
    zone.frames()->setFrames(thumbnail, thumbnail, QStringLiteral("trip"), folder);
    const QList<QAbstractButton*> thumbnails = zone.frames()->thumbnails();
    EXPECT_LT(thumbnails[0]->geometry().right(), thumbnails[1]->geometry().left());
    for (int i = 0; i < 2; ++i) {
        const QString which = QString::fromLatin1(i == 0 ? "first" : "last");
        QAccessibleInterface* button = QAccessible::queryAccessibleInterface(thumbnails[i]);
        EXPECT_EQ(button->role(), QAccessible::Button);
        EXPECT_TRUE(button->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
        EXPECT_EQ(button->text(QAccessible::Name), QStringLiteral("frames.%1.name trip").arg(which));
        EXPECT_EQ(thumbnails[i]->text(), QStringLiteral("frames.") + which);
        QTest::mouseClick(thumbnails[i], Qt::LeftButton);
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
            QTest::keyClick(thumbnails[i], key);
        ASSERT_EQ(opened.size(), 4 * (i + 1));
        for (int n = 4 * i; n < opened.size(); ++n)
            EXPECT_EQ(opened[n].first().toUrl(), QUrl::fromLocalFile(folder + QStringLiteral("/%1.png").arg(which)));
    }
    // Beside the images, a click still chooses a video.
    QTest::mouseClick(&zone, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(chosen.size(), 1);
    EXPECT_EQ(opened.size(), 8);

    const std::unique_ptr<QMimeData> dragged(FramePair::dragData(folder + QStringLiteral("/last.png")));
    EXPECT_EQ(dragged->urls(), QList<QUrl>{QUrl::fromLocalFile(folder + QStringLiteral("/last.png"))});
    EXPECT_EQ(qvariant_cast<QImage>(dragged->imageData()).size(), frame.size());

    // While a job runs the zone is disabled: it shows so, and turns a drop down.
    const QImage enabled = zone.grab().toImage();
    zone.setEnabled(false);
    EXPECT_NE(zone.grab().toImage(), enabled);
    EXPECT_NE(zone.cursor().shape(), Qt::PointingHandCursor);
    QSignalSpy dropped(&zone, &DropZone::urlsDropped);
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
    QDropEvent drop(QPoint(50, 50), Qt::CopyAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&zone, &enter);
    QCoreApplication::sendEvent(&zone, &drop);
    EXPECT_FALSE(enter.isAccepted() || drop.isAccepted() || !dropped.isEmpty());
}

// A handler that exits non-zero means nothing opened the item; one that exits 0 says nothing.
TEST(FramePair, aFailingDesktopHandlerIsReported)
{
    const TestMedia::fs::path bin = TestMedia::scratchFolder("xdgOpen");
    TestMedia::writeFile(bin / "xdg-open", "#!/bin/sh\ncase \"$1\" in *missing*) exit 1 ;; esac\n");
    TestMedia::fs::permissions(bin / "xdg-open", TestMedia::fs::perms::owner_all);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray(bin.c_str()) + ':' + path);
    int opened = 0, missing = 0;
    openWithDesktop(QUrl::fromLocalFile(QStringLiteral("/tmp/first.png")), [&] { ++opened; });
    openWithDesktop(QUrl::fromLocalFile(QStringLiteral("/tmp/missing.png")), [&] { ++missing; });
    qputenv("PATH", path);
    EXPECT_TRUE(QTest::qWaitFor([&] { return missing == 1; }, 10000));
    QTest::qWait(200);
    EXPECT_EQ(opened, 0);
}

} // namespace
