#pragma once

#include "background/FlyingEmojis.h"

#include <QElapsedTimer>
#include <QPixmap>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <vector>

// The About window's content, top to bottom: the header (emojis behind the icon, name and
// version), the description, the disclaimer's heading and scrolling text, the maker's link.
class AboutView : public QWidget {
public:
    explicit AboutView(QWidget* parent);
    FlyingEmojis* header() const { return m_emojis; }

private:
    FlyingEmojis* m_emojis;
};

// The About window: 320 x 420, fixed, no title text, movable by its background.
class AboutWindow : public QWidget {
public:
    // Brings the open About window forward, or makes a new one, centred.
    static void show();
    static AboutWindow* current();

    // The six lanes of the header.
    static const std::vector<EmojiLane::Config>& lanes();
    // Where this window's maker's link goes; the browser unless replaced (tests do).
    std::function<void(const QUrl&)> openURL;
    static const QUrl makerURL;

    FlyingEmojis* header() const { return m_view->header(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    AboutWindow();
    AboutView* m_view;
};
