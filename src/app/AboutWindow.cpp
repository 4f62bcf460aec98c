#include "AboutWindow.h"

#include "AppInfo.h"
#include "main_window/Accessibility.h"
#include "main_window/Look.h"
#include "texts/Disclaimer.h"
#include "texts/Texts.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWindow>

#include <cmath>

namespace {

QPointer<AboutWindow>& stored()
{
    static QPointer<AboutWindow> window;
    return window;
}

QString versionText()
{
    const QString version = QCoreApplication::applicationVersion();
    return version.isEmpty() ? QStringLiteral("1.0") : version;
}

// The scissors on their dark rounded square.
class AppIcon : public QWidget {
public:
    explicit AppIcon(QWidget* parent)
        : QWidget(parent)
    {
        setFixedSize(Look::scaled(this, 72), Look::scaled(this, 72));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(width() / 72.0, height() / 72.0); // drawn at 72 x 72
        QPainterPath square;
        square.addRoundedRect(QRectF(0, 0, 72, 72), 16, 16);
        painter.fillPath(square, QColor::fromRgbF(0.11f, 0.13f, 0.17f));
        const QColor blue = QColor::fromRgbF(0.0f, 0.48f, 1.0f);
        painter.translate(36, 36);
        painter.rotate(-90);
        painter.setPen(QPen(blue, 3.2, Qt::SolidLine, Qt::RoundCap));
        // Two blades crossing at the pivot, two ring handles behind it.
        painter.drawLine(QPointF(-4, -6), QPointF(17, 5));
        painter.drawLine(QPointF(-4, 6), QPointF(17, -5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QPointF(-11, -7), 5.5, 5.5);
        painter.drawEllipse(QPointF(-11, 7), 5.5, 5.5);
        painter.setBrush(blue);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPointF(3, 0), 2, 2);
    }
};

QFrame* divider(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    QPalette palette = line->palette();
    palette.setColor(QPalette::WindowText, Look::tertiary(parent));
    line->setPalette(palette);
    return line;
}

QLabel* label(const QString& text, QFont font, const QColor& colour, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

void addPadded(QVBoxLayout* layout, QWidget* widget, int left, int top, int right, int bottom)
{
    auto* box = new QVBoxLayout;
    box->setContentsMargins(left, top, right, bottom);
    box->addWidget(widget);
    layout->addLayout(box);
}

// The lanes grow with the header, which grows with the font.
std::vector<EmojiLane::Config> scaledLanes(const QWidget* widget)
{
    std::vector<EmojiLane::Config> lanes = AboutWindow::lanes();
    for (EmojiLane::Config& lane : lanes) {
        lane.size *= Look::scale(widget);
        lane.yOffset *= Look::scale(widget);
    }
    return lanes;
}

} // namespace

const QUrl AboutWindow::makerURL(QString::fromUtf8(AppInfo::makerAddress));

const std::vector<EmojiLane::Config>& AboutWindow::lanes()
{
    // Four lanes pass above and to the left of the name and the version, two below and to the
    // right, each with room to spare, so that no emoji drifts across the text.
    static const std::vector<EmojiLane::Config> configs = {
        {48, 30, 0.2, -110, 0.45}, {44, 32, 0.8, -170, 0.4}, {52, 25, 0.5, -200, 0.5},
        {56, 35, 0.0, 190, 0.5},   {50, 40, 0.7, 200, 0.45}, {46, 27, 0.15, -140, 0.42},
    };
    return configs;
}

AboutWindow* AboutWindow::current()
{
    return stored();
}

void AboutWindow::show()
{
    AboutWindow* window = stored();
    if (window && window->isVisible()) {
        window->raise();
        window->activateWindow();
        return;
    }
    delete window; // a closed window is never reopened: a fresh one, animation and all
    window = new AboutWindow;
    // Centred on the screen of the window it was asked from.
    const QWidget* from = QApplication::activeWindow();
    if (const QScreen* screen = from ? from->screen() : QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
    window->QWidget::show();
    window->raise();
    window->activateWindow();
    stored() = window;
}

AboutWindow::AboutWindow()
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , openURL([](const QUrl& url) { QDesktopServices::openUrl(url); })
    , m_view(new AboutView(this))
{
    // 320 x 420 at 9 pt, growing with the font.
    setFixedSize(Look::scaled(this, 320), Look::scaled(this, 420));
    setWindowTitle(QString()); // no title text
    // Without a title, assistive technology learns its name here, and that it is a dialog.
    installAccessibleRoles();
    setAccessibleName(Texts::text("about.window"));
    // The window holds the focus at first, so that no ring shows until Tab is pressed.
    setFocus();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
}

AboutView::AboutView(QWidget* parent)
    : QWidget(parent)
    , m_emojis(new FlyingEmojis(scaledLanes(this), this))
{
    const auto px = [this](int pixels) { return Look::scaled(this, pixels); };
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    // 1. Header: the emojis behind, the icon, name and version in front.
    auto* header = new QWidget(this);
    auto* headerStack = new QGridLayout(header);
    headerStack->setContentsMargins(0, 0, 0, 0);
    m_emojis->setParent(header);
    headerStack->addWidget(m_emojis, 0, 0);
    auto* front = new QWidget(header);
    front->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* frontColumn = new QVBoxLayout(front);
    frontColumn->setContentsMargins(0, px(28), 0, px(20));
    frontColumn->setSpacing(px(12));
    frontColumn->addWidget(new AppIcon(front), 0, Qt::AlignHCenter);
    QFont title = font();
    title.setPointSizeF(title.pointSizeF() * 1.45);
    title.setBold(true);
    auto* names = new QVBoxLayout;
    names->setSpacing(px(4));
    names->addWidget(label(Texts::text("Framepicker"), title, palette().color(QPalette::WindowText), front), 0,
                     Qt::AlignHCenter);
    names->addWidget(label(Texts::text("about.version %@", versionText()), Look::caption(this), Look::secondary(this), front),
                     0, Qt::AlignHCenter);
    frontColumn->addLayout(names);
    headerStack->addWidget(front, 0, 0);
    header->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    column->addWidget(header, 1);

    // 2-3. Divider, description.
    addPadded(column, divider(this), px(24), 0, px(24), 0);
    QFont callout = font();
    callout.setPointSizeF(callout.pointSizeF() * 0.95);
    QLabel* description = label(Texts::text("about.description"), callout, Look::secondary(this), this);
    description->setWordWrap(true);
    addPadded(column, description, px(24), px(24), px(24), px(24));

    // 4-6. Disclaimer heading, divider, scrolling body.
    QFont heading = Look::caption(this);
    heading.setBold(true);
    addPadded(column, label(Texts::text("about.disclaimer"), heading, Look::tertiary(this), this), px(24), px(8), px(24), 0);
    addPadded(column, divider(this), px(24), 0, px(24), 0);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.75);
    QLabel* body = label(Texts::text(disclaimerText), small, Look::tertiary(this), this);
    body->setWordWrap(true);
    body->setContentsMargins(px(24), px(8), px(24), px(8));
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("disclaimer"));
    scroll->setAccessibleName(Texts::text("about.disclaimer"));
    body->setAccessibleName(body->text().simplified()); // one name, its paragraphs run on
    scroll->setFrameShape(QFrame::NoFrame);
    // It takes the focus, so that the keys scroll it; the focus shows as a ring around it.
    scroll->setStyleSheet(QStringLiteral("QScrollArea#disclaimer { border: 2px solid transparent; border-radius: 4px; }"
                                         "QScrollArea#disclaimer:focus { border-color: %1; }")
                              .arg(Look::focusRing(this).name()));
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroll->setWidget(body);
    scroll->setFixedHeight(px(110));
    column->addWidget(scroll);

    // 7-8. Divider, powered-by line with the maker's link.
    addPadded(column, divider(this), px(24), 0, px(24), 0);
    auto* line = new QHBoxLayout;
    line->setContentsMargins(px(24), px(8), px(24), px(8));
    line->setSpacing(px(4));
    line->addStretch(1);
    line->addWidget(label(Texts::text("about.poweredBy"), Look::caption(this), Look::tertiary(this), this));
    auto* link = new QPushButton(Texts::text("Korvane"), this);
    link->setObjectName(QStringLiteral("makerLink"));
    link->setAccessibleName(Texts::text("Korvane"));
    link->setAccessibleDescription(AboutWindow::makerURL.toDisplayString());
    link->setFlat(true);
    link->setCursor(Qt::PointingHandCursor);
    link->setFont(Look::caption(this));
    // Underlined and ringed while it has the keyboard focus.
    QPalette linkColours = link->palette();
    linkColours.setColor(QPalette::ButtonText, Look::readable(Look::accent(), this));
    link->setPalette(linkColours);
    link->setStyleSheet(QStringLiteral("QPushButton { border: 2px solid transparent; border-radius: 4px; padding: 0 2px; }"
                                       "QPushButton:focus { border-color: %1; text-decoration: underline; }")
                            .arg(Look::focusRing(this).name()));
    connect(link, &QPushButton::clicked, this, [this] {
        if (auto* window = dynamic_cast<AboutWindow*>(this->window()); window && window->openURL)
            window->openURL(AboutWindow::makerURL);
    });
    line->addWidget(link);
    column->addLayout(line);
}

void AboutWindow::keyPressEvent(QKeyEvent* event)
{
    // Esc and Ctrl+W close it, as they close dialogs.
    if (event->key() == Qt::Key_Escape || event->matches(QKeySequence::Close))
        close();
    else
        QWidget::keyPressEvent(event);
}

void AboutWindow::mousePressEvent(QMouseEvent* event)
{
    // Moved by dragging anywhere on its background.
    if (event->button() == Qt::LeftButton && windowHandle())
        windowHandle()->startSystemMove();
}
