#include "Widgets.h"

#include "Texts.h"
#include "VideoTypes.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>

namespace Look {

namespace {
QColor textAt(const QWidget* widget, double strength)
{
    QColor colour = widget->palette().color(QPalette::WindowText);
    colour.setAlphaF(strength);
    return colour;
}
} // namespace

QColor secondary(const QWidget* widget) { return textAt(widget, 0.55); }
QColor tertiary(const QWidget* widget) { return textAt(widget, 0.35); }
QColor accent() { return QColor(0x0A, 0x84, 0xFF); }
QColor success() { return QColor(0x28, 0xA7, 0x45); }
QColor failure() { return QColor(0xE0, 0x2F, 0x2F); }

QFont headline(const QWidget* widget)
{
    QFont font = widget->font();
    font.setBold(true);
    return font;
}

QFont caption(const QWidget* widget)
{
    QFont font = widget->font();
    font.setPointSizeF(font.pointSizeF() * 0.85);
    return font;
}

void drawFilm(QPainter& painter, const QRectF& box, const QColor& colour)
{
    // A strip of film: a rounded frame with sprocket holes down both edges.
    const qreal w = box.width(), h = box.height();
    const QRectF strip(box.left() + w * 0.12, box.top(), w * 0.76, h);
    QPainterPath path;
    path.addRoundedRect(strip, w * 0.08, w * 0.08);
    const qreal hole = w * 0.09, margin = w * 0.06;
    for (int i = 0; i < 5; ++i) {
        const qreal y = strip.top() + h * (0.08 + i * 0.19);
        path.addRect(QRectF(strip.left() + margin, y, hole, hole * 1.1));
        path.addRect(QRectF(strip.right() - margin - hole, y, hole, hole * 1.1));
    }
    path.addRect(QRectF(strip.left() + margin * 2 + hole, strip.top() + h * 0.08, strip.width() - 2 * (margin * 2 + hole),
                        h * 0.38));
    path.addRect(QRectF(strip.left() + margin * 2 + hole, strip.top() + h * 0.54, strip.width() - 2 * (margin * 2 + hole),
                        h * 0.38));
    path.setFillRule(Qt::OddEvenFill);
    painter.fillPath(path, colour);
}

namespace {
void drawBadge(QPainter& painter, const QRectF& box, const QColor& colour, const QPainterPath& mark)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(box);
    QPen pen(Qt::white, box.width() * 0.13, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(mark);
}
} // namespace

void drawCheckMark(QPainter& painter, const QRectF& box)
{
    QPainterPath mark;
    mark.moveTo(box.left() + box.width() * 0.28, box.top() + box.height() * 0.52);
    mark.lineTo(box.left() + box.width() * 0.44, box.top() + box.height() * 0.68);
    mark.lineTo(box.left() + box.width() * 0.73, box.top() + box.height() * 0.35);
    drawBadge(painter, box, success(), mark);
}

void drawCross(QPainter& painter, const QRectF& box)
{
    QPainterPath mark;
    const QRectF inner = box.adjusted(box.width() * 0.32, box.height() * 0.32, -box.width() * 0.32, -box.height() * 0.32);
    mark.moveTo(inner.topLeft());
    mark.lineTo(inner.bottomRight());
    mark.moveTo(inner.topRight());
    mark.lineTo(inner.bottomLeft());
    drawBadge(painter, box, failure(), mark);
}

} // namespace Look

DropZone::DropZone(ContentView* view)
    : QWidget(view)
    , m_view(view)
{
    setAcceptDrops(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void DropZone::setTargeted(bool targeted)
{
    if (m_targeted != targeted) {
        m_targeted = targeted;
        update();
    }
}

void DropZone::dragEnterEvent(QDragEnterEvent* event)
{
    // Highlighted whenever files hover, also while a job runs; the drop decides.
    if (event->mimeData()->hasUrls()) {
        setTargeted(true);
        event->acceptProposedAction();
    }
}

void DropZone::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void DropZone::dragLeaveEvent(QDragLeaveEvent*)
{
    setTargeted(false);
}

void DropZone::dropEvent(QDropEvent* event)
{
    setTargeted(false);
    if (event->mimeData()->hasUrls() && m_view->handleDrop(event->mimeData()->urls()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void DropZone::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(1, 1, -1, -1);
    QPainterPath shape;
    shape.addRoundedRect(frame, 12, 12);
    if (m_targeted) {
        QColor fill = Look::accent();
        fill.setAlphaF(0.1);
        painter.fillPath(shape, fill);
    }
    QPen pen(m_targeted ? Look::accent() : Look::secondary(this), 2, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setDashPattern({4, 4}); // in pen widths: 8 on, 8 off
    painter.setPen(pen);
    painter.drawPath(shape);

    // Icon, title and hint, centred as one block with 8 between them.
    const QFont title = Look::headline(this), hint = Look::caption(this);
    const QFontMetrics titleMetrics(title), hintMetrics(hint);
    const int icon = 40, spacing = 8;
    const int blockHeight = icon + spacing + titleMetrics.height() + spacing + hintMetrics.height();
    int y = (height() - blockHeight) / 2;
    Look::drawFilm(painter, QRectF((width() - icon) / 2.0, y, icon, icon), Look::secondary(this));
    y += icon + spacing;
    painter.setFont(title);
    painter.setPen(Look::secondary(this));
    const QRect titleBox(8, y, width() - 16, titleMetrics.height());
    painter.drawText(titleBox, Qt::AlignHCenter | Qt::AlignVCenter,
                     titleMetrics.elidedText(Texts::text("drop.title"), Qt::ElideRight, titleBox.width()));
    y += titleMetrics.height() + spacing;
    painter.setFont(hint);
    painter.setPen(Look::tertiary(this));
    painter.drawText(QRect(8, y, width() - 16, hintMetrics.height()), Qt::AlignHCenter | Qt::AlignVCenter,
                     VideoTypes::extensionsText());
}

StatusLine::StatusLine(QWidget* parent)
    : QWidget(parent)
{
    m_spinner.setInterval(80);
    connect(&m_spinner, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void StatusLine::show(const ContentView::Status& status)
{
    m_status = status;
    const auto* done = std::get_if<ContentView::Done>(&m_status);
    setToolTip(done ? done->folder : QString());
    if (std::holds_alternative<ContentView::Processing>(m_status)) {
        m_clock.start();
        m_spinner.start();
    } else {
        m_spinner.stop();
    }
    update();
}

QString StatusLine::text() const
{
    if (const auto* processing = std::get_if<ContentView::Processing>(&m_status))
        return Texts::text("status.processing %@", processing->name);
    if (const auto* done = std::get_if<ContentView::Done>(&m_status))
        return done->folder;
    if (const auto* error = std::get_if<ContentView::Error>(&m_status))
        return error->message;
    return {};
}

namespace {
constexpr int iconSize = 14, iconGap = 6;
}

QString StatusLine::shownText() const
{
    // A path keeps its start and its end; a name being processed keeps its start; a
    // message may wrap onto a second line.
    const QString full = text();
    if (std::holds_alternative<ContentView::Error>(m_status))
        return full;
    const bool isPath = std::holds_alternative<ContentView::Done>(m_status);
    return QFontMetrics(Look::caption(this))
        .elidedText(full, isPath ? Qt::ElideMiddle : Qt::ElideRight, contentsRect().width() - iconSize - iconGap);
}

void StatusLine::paintEvent(QPaintEvent*)
{
    if (std::holds_alternative<ContentView::Idle>(m_status))
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFont font = Look::caption(this);
    painter.setFont(font);
    const QRect box = contentsRect();
    const int textRoom = box.width() - iconSize - iconGap;
    const QString shown = shownText();

    // Icon and text centred together as one row.
    const bool wraps = std::holds_alternative<ContentView::Error>(m_status);
    QRect textBox = painter.boundingRect(QRect(0, 0, textRoom, box.height()),
                                         wraps ? Qt::TextWordWrap : Qt::TextSingleLine, shown);
    textBox.setHeight(std::min(textBox.height(), box.height()));
    const int rowWidth = iconSize + iconGap + std::min(textBox.width(), textRoom);
    const int left = box.left() + (box.width() - rowWidth) / 2;
    const QRectF icon(left, box.top() + (box.height() - iconSize) / 2.0, iconSize, iconSize);
    const QRect textArea(left + iconSize + iconGap, box.top(), rowWidth - iconSize - iconGap, box.height());

    QColor colour;
    if (std::holds_alternative<ContentView::Processing>(m_status)) {
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
    } else if (std::holds_alternative<ContentView::Done>(m_status)) {
        colour = Look::success();
        Look::drawCheckMark(painter, icon);
    } else {
        colour = Look::failure();
        Look::drawCross(painter, icon);
    }
    painter.setPen(colour);
    painter.drawText(textArea, Qt::AlignVCenter | Qt::AlignLeft | (wraps ? Qt::TextWordWrap : Qt::TextSingleLine), shown);
}
