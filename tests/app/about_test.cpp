// The About window, offscreen: one at a time, fresh after closing, fixed size, version
// fallback, the maker's link, the scrolling disclaimer, an animation only while shown.
#include "AboutWindow.h"
#include "background/FlyingEmojis.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(AboutWindow, oneAtATimeAndFreshAfterClosing)
{
    QCoreApplication::setApplicationVersion(QString());
    AboutWindow::show();
    QPointer<AboutWindow> first = AboutWindow::current();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isVisible());
    AboutWindow::show();
    EXPECT_EQ(AboutWindow::current(), first.data());
    EXPECT_EQ(first->size(), QSize(320, 420));
    EXPECT_EQ(first->minimumSize(), first->maximumSize());
    EXPECT_TRUE(first->windowTitle().isEmpty());

    // No version set: "1.0".
    QStringList texts;
    for (const QLabel* label : first->findChildren<QLabel*>())
        texts += label->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("about.version 1.0")));

    // The header animates while shown, and stops when the window closes.
    EXPECT_TRUE(first->header()->isAnimating());
    EXPECT_EQ(first->header()->lanes().size(), 6u);
    for (const EmojiLane& lane : first->header()->lanes())
        EXPECT_FALSE(lane.currentEmoji().isEmpty());
    // Esc closes it, as Ctrl+W does.
    QTest::keyClick(first, Qt::Key_Escape);
    EXPECT_FALSE(first->isVisible());
    EXPECT_FALSE(first->header()->isAnimating());
    AboutWindow::show();
    QTest::keyClick(AboutWindow::current(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(AboutWindow::current()->isVisible());

    AboutWindow::show();
    EXPECT_NE(AboutWindow::current(), nullptr);
    EXPECT_TRUE(first.isNull()); // the closed ones are released
    AboutWindow::current()->close();
}

TEST(AboutWindow, theLinkOpensTheMakerAndTheDisclaimerScrolls)
{
    QCoreApplication::setApplicationVersion(QStringLiteral("2.3.1"));
    std::vector<QUrl> opened;
    AboutWindow::openURL = [&](const QUrl& url) { opened.push_back(url); };
    AboutWindow::show();
    AboutWindow* window = AboutWindow::current();
    QStringList texts;
    for (const QLabel* label : window->findChildren<QLabel*>())
        texts += label->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("about.version 2.3.1")));

    auto* link = window->findChild<QAbstractButton*>(QStringLiteral("makerLink"));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->text(), QStringLiteral("Korvane"));
    // Tab reaches the link, and the focus shows on it.
    const QImage unfocused = link->grab().toImage();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    link->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(link->hasFocus());
    EXPECT_NE(link->grab().toImage(), unfocused);
    link->click();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened.front(), QUrl(QStringLiteral("https://korvane.app")));
    EXPECT_TRUE(window->isVisible());

    auto* scroll = window->findChild<QScrollArea*>(QStringLiteral("disclaimer"));
    ASSERT_NE(scroll, nullptr);
    QCoreApplication::processEvents();
    const QPoint headerAt = window->header()->mapTo(window, QPoint(0, 0));
    EXPECT_GT(scroll->verticalScrollBar()->maximum(), 0);
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
    EXPECT_EQ(window->header()->mapTo(window, QPoint(0, 0)), headerAt);
    window->close();
}

} // namespace
