#include "DropZone.h"

#include "Accessibility.h"
#include "FramePair.h"
#include "Look.h"
#include "VideoTypes.h"
#include "texts/Texts.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include <utility>

DropZone::DropZone(QWidget* parent)
    : QWidget(parent)
    , m_frames(new FramePair(this))
{
    installAccessibleRoles();
    setAcceptDrops(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(Texts::text("drop.title"));
    setAccessibleDescription(VideoTypes::extensionsText());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto* layout = new QVBoxLayout(this);
    const int margin = Look::scaled(this, 12); // clear of the dashes and of the focus ring inside them
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(m_frames);
}

void DropZone::setTargeted(bool targeted)
{
    if (m_targeted != targeted) {
        m_targeted = targeted;
        update();
    }
}

// Files, unless a job runs, and not one of the zone's own images dragged back onto it.
bool DropZone::accepts(const QDropEvent* event) const
{
    const auto* source = qobject_cast<const QWidget*>(event->source());
    return isEnabled() && event->mimeData()->hasUrls() && !(source && isAncestorOf(source));
}

void DropZone::dragEnterEvent(QDragEnterEvent* event)
{
    // Refused, the drag shows that it cannot drop here.
    if (accepts(event)) {
        setTargeted(true);
        event->acceptProposedAction();
    }
}

void DropZone::dragMoveEvent(QDragMoveEvent* event)
{
    if (accepts(event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void DropZone::dragLeaveEvent(QDragLeaveEvent*)
{
    setTargeted(false);
}

void DropZone::dropEvent(QDropEvent* event)
{
    setTargeted(false);
    const QList<QUrl> urls = accepts(event) ? event->mimeData()->urls() : QList<QUrl>();
    if (urls.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit urlsDropped(urls);
}

void DropZone::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space)
        emit activated();
    else
        QWidget::keyPressEvent(event);
}

void DropZone::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->setAccepted(m_pressed); // the release, a click, is what counts
}

// Let go inside, as a button does; pressed here too, not on a thumbnail whose drag ended.
void DropZone::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && std::exchange(m_pressed, false) && rect().contains(event->position().toPoint()))
        emit activated();
}

void DropZone::focusInEvent(QFocusEvent* event)
{
    // Coming back to the window or from a menu keeps the way the focus came before.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        m_keyboardFocus = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason
            || event->reason() == Qt::ShortcutFocusReason;
    update();
}

bool DropZone::event(QEvent* event)
{
    // A key pressed here, Tab included (which finds no other stop while the status line is
    // empty), shows the focus that the window's opening gave without showing it.
    if (event->type() == QEvent::KeyPress && !m_keyboardFocus) {
        m_keyboardFocus = true;
        update();
    }
    return QWidget::event(event);
}

void DropZone::focusOutEvent(QFocusEvent*)
{
    // Disabled, the zone gives its focus to the next widget; the focus comes back with the job's end.
    m_refocus = !isEnabled();
    update();
}

// Disabled, the zone takes no focus and no click, and shows no hand.
void DropZone::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        if (isEnabled())
            setCursor(Qt::PointingHandCursor);
        else
            unsetCursor();
        if (isEnabled() && std::exchange(m_refocus, false))
            setFocus(m_keyboardFocus ? Qt::TabFocusReason : Qt::OtherFocusReason);
        setTargeted(false);
        m_pressed = false;
        update();
    }
    QWidget::changeEvent(event);
}

void DropZone::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(0.5);
    const QRectF frame = QRectF(rect()).adjusted(1, 1, -1, -1);
    QPainterPath shape;
    shape.addRoundedRect(frame, 12, 12);
    // Files hovering: the accent colour, dashed, over a tint of it; that look means a drag only.
    QColor background = palette().color(QPalette::Window);
    if (m_targeted) {
        QColor fill = Look::accent();
        fill.setAlphaF(0.1);
        painter.fillPath(shape, fill);
        background = QColor::fromRgbF(background.redF() * 0.9f + fill.redF() * 0.1f,
                                      background.greenF() * 0.9f + fill.greenF() * 0.1f,
                                      background.blueF() * 0.9f + fill.blueF() * 0.1f);
    }
    QPen pen(m_targeted ? Look::accent() : Look::secondary(this), 2, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setDashPattern({4, 4}); // in pen widths: 8 on, 8 off
    painter.setPen(pen);
    painter.drawPath(shape);
    // The keyboard focus: a solid ring inside the border.
    if (hasFocus() && m_keyboardFocus)
        Look::drawFocusRing(painter, frame.adjusted(4, 4, -4, -4), 8, this);
    if (m_frames->isShowing())
        return; // the pair draws itself

    // Icon, title and hint, centred as one block with 8 between them.
    const QFont title = Look::headline(this), hint = Look::caption(this);
    const QFontMetrics titleMetrics(title), hintMetrics(hint);
    const int icon = Look::scaled(this, 40), spacing = Look::scaled(this, 8);
    const int blockHeight = icon + spacing + titleMetrics.height() + spacing + hintMetrics.height();
    int y = (height() - blockHeight) / 2;
    Look::drawFilm(painter, QRectF((width() - icon) / 2.0, y, icon, icon), Look::secondary(this, background));
    y += icon + spacing;
    // Disabled, the frame and the icon fade; the words stay readable, in the quieter colour.
    painter.setOpacity(1);
    painter.setFont(title);
    painter.setPen(isEnabled() ? Look::secondary(this, background) : Look::tertiary(this, background));
    const QRect titleBox(8, y, width() - 16, titleMetrics.height());
    painter.drawText(titleBox, Qt::AlignHCenter | Qt::AlignVCenter,
                     titleMetrics.elidedText(Texts::text("drop.title"), Qt::ElideRight, titleBox.width()));
    y += titleMetrics.height() + spacing;
    painter.setFont(hint);
    painter.setPen(Look::tertiary(this, background));
    const QRect hintBox(8, y, width() - 16, hintMetrics.height());
    painter.drawText(hintBox, Qt::AlignHCenter | Qt::AlignVCenter,
                     hintMetrics.elidedText(Texts::text("drop.hint %@", VideoTypes::extensionsText()), Qt::ElideRight, hintBox.width()));
}
