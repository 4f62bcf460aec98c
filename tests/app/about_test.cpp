// The About window, offscreen: one at a time, fresh after closing, not resizable, version
// fallback, the maker's link, the scrolling disclaimer, an animation only while shown.
#include "AboutWindow.h"
#include "background/FlyingEmojis.h"
#include "main_window/Look.h"
#include "texts/Texts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTranslator>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// One at a time, fresh after closing (with the version now set), the maker's link, the
// disclaimer that scrolls under a fixed header.
TEST(AboutWindow, oneAtATimeFreshAfterClosingWithTheMakersLink)
{
    QCoreApplication::setApplicationVersion(QString());
    AboutWindow::show();
    QPointer<AboutWindow> first = AboutWindow::current();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isVisible());
    AboutWindow::show();
    EXPECT_EQ(AboutWindow::current(), first.data());
    EXPECT_EQ(first->minimumSize(), first->maximumSize());

    // No version set: "1.0".
    EXPECT_EQ(std::ranges::count(first->findChildren<QLabel*>(), QStringLiteral("about.version 1.0"), &QLabel::text), 1);

    // The header animates while shown, and stops when the window closes.
    EXPECT_TRUE(first->header()->isAnimating());
    // Esc closes it, as Ctrl+W does.
    QTest::keyClick(first, Qt::Key_Escape);
    EXPECT_FALSE(first->isVisible());
    EXPECT_FALSE(first->header()->isAnimating());
    AboutWindow::show();
    QTest::keyClick(AboutWindow::current(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(AboutWindow::current()->isVisible());

    QCoreApplication::setApplicationVersion(QStringLiteral("2.3.1"));
    std::vector<QUrl> opened;
    AboutWindow::show();
    AboutWindow* window = AboutWindow::current();
    window->openURL = [&](const QUrl& url) { opened.push_back(url); };
    EXPECT_TRUE(first.isNull()); // the closed ones are released
    EXPECT_EQ(std::ranges::count(window->findChildren<QLabel*>(), QStringLiteral("about.version 2.3.1"), &QLabel::text), 1);

    auto* link = window->findChild<QAbstractButton*>(QStringLiteral("makerLink"));
    auto* scroll = window->findChild<QScrollArea*>(QStringLiteral("disclaimer"));
    ASSERT_TRUE(link && scroll);
    // Tab stops at the disclaimer (for the keys that scroll it) and the link only, and the
    // focus shows on each; none has it when the window opens.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QList<QWidget*> tabStops;
    for (QWidget* widget : window->findChildren<QWidget*>())
        if (widget->focusPolicy() & Qt::TabFocus)
            tabStops += widget;
    EXPECT_EQ(tabStops, QList<QWidget*>({scroll, link}));
    for (QWidget* widget : tabStops) {
        const QImage unfocused = widget->grab().toImage();
        widget->setFocus(Qt::TabFocusReason);
        EXPECT_NE(widget->grab().toImage(), unfocused) << widget->objectName().toStdString();
    }
    link->click();
    EXPECT_EQ(opened, std::vector<QUrl>{QUrl(QStringLiteral("https://korvane.app"))});
    EXPECT_TRUE(window->isVisible());

    QCoreApplication::processEvents();
    const QPoint headerAt = window->header()->mapTo(window, QPoint(0, 0));
    EXPECT_GT(scroll->verticalScrollBar()->maximum(), 0);
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
    EXPECT_EQ(window->header()->mapTo(window, QPoint(0, 0)), headerAt);
    window->close();
}

// Each language, in a light or a dark palette, at 9 to 14 pt: every text reads at 4.5:1 or
// better on the window and is shown whole, the icon clear of the name, and each emoji lane
// drifts wholly above or wholly below the name and the version.
TEST(AboutWindow, textsReadAndNoEmojiCrossesTheNameOrTheVersion)
{
    const QPalette light = QApplication::palette(), dark(QColor(0x30, 0x30, 0x30));
    const QFont font = QApplication::font();
    const auto restore = qScopeGuard([light, font] {
        QApplication::setPalette(light);
        QApplication::setFont(font);
    });
    const std::pair<const char*, const QPalette*> rows[] = {{"en", &light}, {"de", &dark}, {"fr", &light},
                                                            {"es", &dark},  {"ja", &light}, {"zh_CN", &dark}};
    for (const auto& [language, palette] : rows) {
        QTranslator table;
        ASSERT_TRUE(table.load(QStringLiteral("framepicker_") + QLatin1String(language), QStringLiteral(":/i18n")));
        QCoreApplication::installTranslator(&table);
        QApplication::setPalette(*palette);
        for (const int points : {9, 11, 14}) {
        SCOPED_TRACE(std::string(language) + " at " + std::to_string(points) + " pt");
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), points));
        AboutWindow::show();
        AboutWindow* window = AboutWindow::current();
        const QColor background = palette->color(QPalette::Window);
        const auto* link = window->findChild<QAbstractButton*>(QStringLiteral("makerLink"));
        EXPECT_GE(Look::contrast(link->palette().color(QPalette::ButtonText), background), 4.5) << language;
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            EXPECT_GE(Look::contrast(label->palette().color(QPalette::WindowText), background), 4.5) << language;
            if (label->wordWrap())
                EXPECT_LE(label->heightForWidth(label->width()), label->height()) << label->text().left(40).toStdString();
            else
                EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
        }
        // The description whole, not cut off where the window's width ends.
        EXPECT_TRUE(std::ranges::any_of(window->findChildren<QLabel*>(),
                                        [](const QLabel* label) { return label->text() == Texts::text("about.description"); }));
        FlyingEmojis* header = window->header();
        const QList<QLabel*> lines = header->parentWidget()->findChildren<QLabel*>(); // in front of the emojis
        ASSERT_EQ(lines.size(), 2);
        for (const QWidget* part : lines.first()->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            for (const QLabel* line : lines)
                EXPECT_TRUE(part == line || !part->geometry().intersects(line->geometry())) << line->text().toStdString();
        for (const EmojiLane& lane : header->lanes()) {
            QSizeF extent;
            for (const QString& emoji : EmojiLane::filmEmojis())
                extent = extent.expandedTo(renderEmoji(emoji, lane.config().size, 1).size());
            for (const QLabel* line : lines) {
                const QRectF box(line->mapTo(window, QPoint(0, 0)) - header->mapTo(window, QPoint(0, 0)), line->size());
                for (int step = 0; step <= 1000; ++step) {
                    const QPointF centre = lane.position(step / 1000.0, header->size());
                    ASSERT_FALSE(box.intersects(QRectF(centre - QPointF(extent.width(), extent.height()) / 2, extent)))
                        << language << ": lane " << lane.config().yOffset << " at " << step;
                }
            }
        }
        window->close();
        }
        QCoreApplication::removeTranslator(&table);
    }
}

} // namespace
