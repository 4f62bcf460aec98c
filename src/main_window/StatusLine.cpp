#include "StatusLine.h"

#include "Accessibility.h"
#include "Look.h"
#include "texts/Texts.h"

#include <QAction>
#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>

StatusLine::StatusLine(QWidget* parent)
    : QWidget(parent)
{
    installAccessibleRoles();
    m_spinner.setInterval(80);
    connect(&m_spinner, &QTimer::timeout, this, qOverload<>(&QWidget::update));
    openFolder = [](const QUrl& folder) { QDesktopServices::openUrl(folder); };
    // Right-click > Copy: the whole text, however it is elided.
    auto* copy = new QAction(Texts::text("status.copy"), this);
    connect(copy, &QAction::triggered, this, [this] { QGuiApplication::clipboard()->setText(text()); });
    addAction(copy);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void StatusLine::setStatus(const Status& status)
{
    m_status = status;
    setToolTip(text());
    // The folder is a link: a click opens it (nothing opens by itself).
    setCursor(std::holds_alternative<JobStatus::Done>(m_status) ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (std::holds_alternative<JobStatus::Processing>(m_status)) {
        m_clock.start();
        m_spinner.start();
    } else {
        m_spinner.stop();
    }
    // Assistive technology reads the whole text; setting the name sends the change event.
    setAccessibleName(text());
    update();
}

QString StatusLine::text() const
{
    if (const auto* processing = std::get_if<JobStatus::Processing>(&m_status))
        return Texts::text("status.processing %@", processing->name);
    if (const auto* done = std::get_if<JobStatus::Done>(&m_status))
        return done->folder;
    if (const auto* error = std::get_if<JobStatus::Error>(&m_status))
        return error->message;
    return {};
}

namespace {
constexpr int iconSize = 14, iconGap = 6;
}

QString StatusLine::shownText() const
{
    // A path keeps its start and its end; a name being processed keeps its start; a
    // message takes two lines, the second elided where the rest does not fit.
    const QString full = text();
    const QFont font = Look::caption(this);
    const QFontMetrics metrics(font);
    const int room = contentsRect().width() - iconSize - iconGap;
    if (!std::holds_alternative<JobStatus::Error>(m_status)) {
        const bool isPath = std::holds_alternative<JobStatus::Done>(m_status);
        return metrics.elidedText(full, isPath ? Qt::ElideMiddle : Qt::ElideRight, room);
    }
    QTextLayout layout(full, font);
    QTextOption wrapping;
    wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere); // a long file name too
    layout.setTextOption(wrapping);
    layout.beginLayout();
    QTextLine first = layout.createLine();
    if (!first.isValid())
        return full;
    first.setLineWidth(room);
    const QString firstLine = full.mid(first.textStart(), first.textLength()).trimmed();
    const QString rest = full.mid(first.textStart() + first.textLength()).trimmed();
    layout.endLayout();
    if (rest.isEmpty())
        return firstLine;
    return firstLine + QLatin1Char('\n') + metrics.elidedText(rest, Qt::ElideRight, room);
}

void StatusLine::mouseReleaseEvent(QMouseEvent* event)
{
    if (const auto* done = std::get_if<JobStatus::Done>(&m_status); done && event->button() == Qt::LeftButton)
        openFolder(QUrl::fromLocalFile(done->folder));
    QWidget::mouseReleaseEvent(event);
}

void StatusLine::paintEvent(QPaintEvent*)
{
    if (std::holds_alternative<JobStatus::Idle>(m_status))
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFont font = Look::caption(this);
    painter.setFont(font);
    const QRect box = contentsRect();
    const int textRoom = box.width() - iconSize - iconGap;
    const QString shown = shownText();

    // Icon and text centred together as one row.
    QRect textBox = painter.boundingRect(QRect(0, 0, textRoom, box.height()), 0, shown);
    textBox.setHeight(std::min(textBox.height(), box.height()));
    const int rowWidth = iconSize + iconGap + std::min(textBox.width(), textRoom);
    const int left = box.left() + (box.width() - rowWidth) / 2;
    const QRectF icon(left, box.top() + (box.height() - iconSize) / 2.0, iconSize, iconSize);
    const QRect textArea(left + iconSize + iconGap, box.top(), rowWidth - iconSize - iconGap, box.height());

    QColor colour;
    if (std::holds_alternative<JobStatus::Processing>(m_status)) {
        colour = Look::secondary(this);
        // A small busy indicator: twelve spokes, the brightest turning.
        const int lead = static_cast<int>(m_clock.elapsed() / 80) % 12;
        painter.translate(icon.center());
        for (int i = 0; i < 12; ++i) {
            QColor spoke = colour;
            spoke.setAlphaF(colour.alphaF() * (0.25 + 0.75 * ((i - lead + 12) % 12) / 11.0));
            painter.setPen(QPen(spoke, 1.6, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(QPointF(0, -iconSize * 0.25), QPointF(0, -iconSize * 0.48));
            painter.rotate(30);
        }
        painter.resetTransform();
    } else if (std::holds_alternative<JobStatus::Done>(m_status)) {
        colour = Look::success();
        Look::drawCheckMark(painter, icon);
    } else {
        colour = Look::failure();
        Look::drawCross(painter, icon);
    }
    painter.setPen(colour);
    painter.drawText(textArea, Qt::AlignVCenter | Qt::AlignLeft, shown);
}
