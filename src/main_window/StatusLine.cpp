#include "StatusLine.h"

#include "Accessibility.h"
#include "Look.h"
#include "texts/Texts.h"

#include <QAction>
#include <QClipboard>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QTextLayout>
#include <QTime>

#include <algorithm>
#include <optional>

namespace {

// A label whose one link Tab reaches and Enter follows. The focus shows as the ring the rest
// of the window uses (the status line draws it round the link), not as Qt's dotted box.
class LinkLabel : public QLabel {
public:
    using QLabel::QLabel;

    void setRichText(const QString& html)
    {
        if (html != text())
            setText(html);
    }
    bool hasLink() const { return text().contains(QLatin1String("<a href")); }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space) && hasLink())
            emit linkActivated(QString());
        else
            QLabel::keyPressEvent(event);
    }
    void focusOutEvent(QFocusEvent* event) override
    {
        QLabel::focusOutEvent(event);
        parentWidget()->update();
    }
    void focusInEvent(QFocusEvent* event) override
    {
        QLabel::focusInEvent(event);
        parentWidget()->update();
    }
};

// The space between a text and the link after it, as its language writes it: none after "。".
QString beforeLink(const QString& text)
{
    return text.endsWith(QChar(0x3002)) ? QString() : QStringLiteral(" ");
}

} // namespace

StatusLine::StatusLine(QWidget* parent)
    : QWidget(parent)
    , m_label(new LinkLabel(this))
{
    installAccessibleRoles();
    m_spinner.setInterval(80);
    connect(&m_spinner, &QTimer::timeout, this, qOverload<>(&QWidget::update));
    // Right-click > Copy: the selected part, else the whole text, however it is elided.
    auto* copy = new QAction(Texts::text("status.copy"), this);
    connect(copy, &QAction::triggered, this, [this] {
        QGuiApplication::clipboard()->setText(m_label->hasSelectedText() ? m_label->selectedText() : text());
    });
    addAction(copy);
    m_label->setContextMenuPolicy(Qt::NoContextMenu); // ours, with the whole text
    m_label->setFont(Look::caption(this));
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_label->setOpenExternalLinks(false);
    connect(m_label, &QLabel::linkActivated, this, [this] {
        if (const auto* done = std::get_if<JobStatus::Done>(&m_status))
            emit folderOpenRequested(QUrl::fromLocalFile(done->folder));
        else if (std::holds_alternative<JobStatus::Error>(m_status))
            emit folderChoiceRequested();
        else if (std::holds_alternative<JobStatus::Processing>(m_status))
            emit cancelRequested();
    });
}

void StatusLine::setStatus(const Status& status)
{
    m_status = status;
    setToolTip(text());
    if (std::holds_alternative<JobStatus::Processing>(m_status)) {
        if (!m_spinner.isActive())
            m_clock.start();
        m_spinner.start();
    } else {
        m_spinner.stop();
    }
    // Tab stops here only when there is something to read, copy or open.
    setFocusPolicy(std::holds_alternative<JobStatus::Idle>(m_status) ? Qt::NoFocus : Qt::TabFocus);
    // Assistive technology reads the state, then the whole text; setting the name sends the
    // change event, so the progress, which changes often, is left out of it.
    if (const QString name = accessibleText(); name != accessibleName())
        setAccessibleName(name);
    // The text's own name: its words whole, without the breaks drawn, the progress left out.
    const auto* processing = std::get_if<JobStatus::Processing>(&m_status);
    QString words = processing ? Texts::text("status.processing %@", processing->name) : text();
    if (const QString link = this->link(); !link.isEmpty())
        words += beforeLink(words) + link;
    if (words != m_label->accessibleName())
        m_label->setAccessibleName(words);
    const bool onLink = m_label->hasFocus();
    layOutText();
    // The link that had the keyboard's focus is gone (the job it cancelled, or chose a
    // folder for, has ended): the line itself takes the focus, so that a ring still shows.
    if (onLink && link().isEmpty() && focusPolicy() != Qt::NoFocus)
        setFocus(Qt::OtherFocusReason);
    update();
}

void StatusLine::resizeEvent(QResizeEvent*)
{
    layOutText();
}

NamedSentence StatusLine::parts() const
{
    if (const auto* processing = std::get_if<JobStatus::Processing>(&m_status)) {
        NamedSentence words = around(Texts::text("status.processing %@").toStdString(), processing->name.toStdString());
        // How far, then how long still: "42%", "about 0:31 left".
        QString progress;
        if (processing->done >= 0)
            progress += QLatin1Char(' ') + Texts::text("status.percent %@", QLocale().toString(static_cast<int>(processing->done * 100)));
        if (processing->secondsLeft >= 0) {
            const int left = std::min(processing->secondsLeft, 24 * 3600 - 1);
            const QString time = QTime::fromMSecsSinceStartOfDay(left * 1000).toString(left >= 3600 ? QStringLiteral("h:mm:ss") : QStringLiteral("m:ss"));
            progress += QStringLiteral(" \u00B7 ") + Texts::text("status.timeLeft %@", time);
        }
        words.tail += progress.toStdString();
        return words;
    }
    if (std::holds_alternative<JobStatus::Cancelled>(m_status))
        return {Texts::text("status.cancelled").toStdString(), {}, {}};
    if (const auto* done = std::get_if<JobStatus::Done>(&m_status))
        return {{}, done->folder.toStdString(), {}};
    if (const auto* error = std::get_if<JobStatus::Error>(&m_status))
        return *error;
    return {};
}

QString StatusLine::text() const
{
    return QString::fromStdString(parts().whole());
}

namespace {

// The text's first lines in `room`, at most `lines` of them, and what did not fit in them.
struct Wrapped {
    QStringList lines;
    QString rest;
};

constexpr QChar wordJoiner(0x2060), noBreakSpace(0x00A0);

// Chinese and Japanese run their words together, and the line breaking Qt takes from Unicode
// may break between any two of their letters: "无/效", "読み取/り". Sentences keep their words
// whole here: a line breaks at a space or beside punctuation ("。", "（", "」") only.
bool runsWordsTogether(QChar c)
{
    const QChar::Script script = c.script();
    return script == QChar::Script_Han || script == QChar::Script_Hiragana || script == QChar::Script_Katakana
        || c == QChar(0x30FC) || c == QChar(0x3005); // the long vowel mark, the repeat mark
}

QString keepingWords(const QString& sentence)
{
    QString kept;
    kept.reserve(sentence.size() * 2);
    for (qsizetype i = 0; i < sentence.size(); ++i) {
        if (i > 0 && runsWordsTogether(sentence.at(i - 1)) && runsWordsTogether(sentence.at(i)))
            kept += wordJoiner;
        kept += sentence.at(i);
    }
    return kept;
}

// A link breaks nowhere: "选择其/他文件夹…" would read as two.
QString unbreakable(const QString& words)
{
    QString kept;
    for (const QChar c : words) {
        if (!kept.isEmpty())
            kept += wordJoiner;
        kept += c.isSpace() ? noBreakSpace : c;
    }
    return kept;
}

QString plain(QString text)
{
    return text.remove(wordJoiner).replace(noBreakSpace, QLatin1Char(' '));
}

Wrapped wrapped(const QString& text, const QFont& font, int room, int lines)
{
    QTextLayout layout(text, font);
    QTextOption wrapping;
    wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere); // a long file name too
    layout.setTextOption(wrapping);
    layout.beginLayout();
    Wrapped result;
    qsizetype end = 0;
    for (int count = 0; count < lines; ++count) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(room);
        result.lines << plain(text.mid(line.textStart(), line.textLength())).trimmed();
        end = line.textStart() + line.textLength();
    }
    layout.endLayout();
    result.rest = plain(text.mid(end)).trimmed();
    return result;
}

} // namespace

int StatusLine::iconSize() const
{
    return Look::scaled(this, 14);
}

int StatusLine::iconGap() const
{
    return Look::scaled(this, 6);
}

QString StatusLine::link() const
{
    if (std::holds_alternative<JobStatus::Processing>(m_status))
        return Texts::text("status.cancel");
    if (const auto* error = std::get_if<JobStatus::Error>(&m_status); error && error->offersFolder)
        return Texts::text("status.chooseFolder");
    return {};
}

QString StatusLine::shownText() const
{
    const NamedSentence whole = parts();
    const QString name = QString::fromStdString(whole.name);
    // An error, or a job with its progress and its link, may take two lines.
    const int lines = std::holds_alternative<JobStatus::Error>(m_status) || std::holds_alternative<JobStatus::Processing>(m_status) ? 2 : 1;
    // The link after the text, in its language's spacing.
    QString link = unbreakable(this->link());
    if (!link.isEmpty())
        link.prepend(beforeLink(text()));
    const QString lead = keepingWords(QString::fromStdString(whole.lead)), tail = keepingWords(QString::fromStdString(whole.tail));
    const QFont font = m_label->font();
    const QFontMetrics metrics(font);
    const int room = contentsRect().width() - iconSize() - iconGap();
    const auto fitting = [&](const QString& name) -> std::optional<QString> {
        const Wrapped shown = wrapped(lead + name + tail + link, font, room, lines);
        return shown.rest.isEmpty() ? std::optional(shown.lines.join(QLatin1Char('\n'))) : std::nullopt;
    };
    if (const auto shown = fitting(name))
        return *shown;
    // The name gives way first, shortened in its middle no more than it must.
    const int ellipsis = metrics.horizontalAdvance(QChar(0x2026));
    std::optional<QString> best;
    for (int least = ellipsis, most = metrics.horizontalAdvance(name) - 1; least <= most;) {
        const int width = (least + most) / 2;
        if (const auto shown = fitting(metrics.elidedText(name, Qt::ElideMiddle, width))) {
            best = shown;
            least = width + 1;
        } else {
            most = width - 1;
        }
    }
    if (best)
        return *best;
    // Not even the sentence fits: its first lines, the last one cut short before the link.
    const QString message = lead + metrics.elidedText(name, Qt::ElideMiddle, ellipsis) + tail;
    Wrapped shown = wrapped(message, font, room, lines - 1);
    shown.lines << metrics.elidedText(shown.rest, Qt::ElideRight, room - metrics.horizontalAdvance(plain(link))) + plain(link);
    return shown.lines.join(QLatin1Char('\n'));
}

// Icon and text centred together as one row; the text is the label, so it can be selected.
void StatusLine::layOutText()
{
    const bool idle = std::holds_alternative<JobStatus::Idle>(m_status);
    m_label->setVisible(!idle);
    if (idle)
        return;
    const QRect box = contentsRect();
    const int iconSize = this->iconSize(), iconGap = this->iconGap();
    const int textRoom = box.width() - iconSize - iconGap;
    const QString shown = shownText();
    const int textWidth = std::min(QFontMetrics(m_label->font()).boundingRect(QRect(0, 0, textRoom, box.height()), 0, shown).width() + 2, textRoom);
    QColor colour = Look::secondary(this);
    if (const auto* done = std::get_if<JobStatus::Done>(&m_status)) {
        // The folder is a link: a click opens it (nothing opens by itself).
        colour = Look::readable(Look::success(), this);
        m_label->setTextFormat(Qt::RichText);
        m_label->setText(QStringLiteral("<a href=\"%1\" style=\"color:%2; text-decoration:none\">%3</a>")
                             .arg(QUrl::fromLocalFile(done->folder).toString(QUrl::FullyEncoded).toHtmlEscaped(),
                                  colour.name(), shown.toHtmlEscaped()));
        m_label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse);
    } else if (const QString link = this->link(); !link.isEmpty()) {
        // The text, then its last words a link, reached with Tab as well as the mouse.
        if (std::holds_alternative<JobStatus::Error>(m_status))
            colour = Look::readable(Look::failure(), this);
        qsizetype at = shown.size();
        for (auto letters = std::ranges::count_if(link, [](QChar c) { return !c.isSpace(); }); letters > 0 && at > 0;)
            letters -= !shown.at(--at).isSpace();
        const auto html = [](const QString& plain) { return plain.toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<br>")); };
        m_label->setTextFormat(Qt::RichText);
        m_label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse);
        m_label->setFocusPolicy(Qt::TabFocus);
        static_cast<LinkLabel*>(m_label)->setRichText(QStringLiteral("<div style=\"white-space:pre\">%1<a href=\"#folder\">%2</a></div>")
                                 .arg(html(shown.left(at)), html(shown.mid(at))));
        // Where the link is drawn, for the focus ring: the end of the last line.
        const QFontMetrics metrics(m_label->font());
        const QString last = shown.section(QLatin1Char('\n'), -1), before = last.left(last.size() - (shown.size() - at));
        const int lines = static_cast<int>(shown.count(QLatin1Char('\n'))) + 1;
        const int bottom = (box.height() + lines * metrics.lineSpacing()) / 2;
        m_linkBox = QRect(metrics.horizontalAdvance(before), bottom - metrics.lineSpacing(), metrics.horizontalAdvance(last.mid(before.size())) + 1,
                          metrics.lineSpacing());
    } else {
        if (std::holds_alternative<JobStatus::Error>(m_status))
            colour = Look::readable(Look::failure(), this);
        m_label->setTextFormat(Qt::PlainText);
        m_label->setText(shown);
        m_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    QPalette palette = m_label->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Link, Look::readable(this->palette().color(QPalette::Link), this));
    m_label->setPalette(palette);
    const int rowLeft = box.left() + (box.width() - (iconSize + iconGap + textWidth)) / 2;
    m_label->setGeometry(rowLeft + iconSize + iconGap, box.top(), textWidth, box.height());
}

void StatusLine::paintEvent(QPaintEvent*)
{
    if (std::holds_alternative<JobStatus::Idle>(m_status))
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect box = contentsRect();
    const int iconSize = this->iconSize(), iconGap = this->iconGap();
    const QRectF icon(m_label->x() - iconGap - iconSize, box.top() + (box.height() - iconSize) / 2.0, iconSize, iconSize);
    if (const auto* processing = std::get_if<JobStatus::Processing>(&m_status); processing && processing->done >= 0) {
        // How far the job is: a ring filling clockwise from the top.
        const QRectF ring = icon.adjusted(1, 1, -1, -1);
        QColor track = Look::secondary(this);
        track.setAlphaF(track.alphaF() * 0.3);
        painter.setPen(QPen(track, 2));
        painter.drawEllipse(ring);
        painter.setPen(QPen(Look::secondary(this), 2, Qt::SolidLine, Qt::FlatCap));
        painter.drawArc(ring, 90 * 16, -static_cast<int>(processing->done * 360 * 16));
    } else if (processing) {
        const QColor colour = Look::secondary(this);
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
    } else if (std::holds_alternative<JobStatus::Done>(m_status)) {
        Look::drawCheckMark(painter, icon);
    } else if (std::holds_alternative<JobStatus::Error>(m_status)) {
        Look::drawCross(painter, icon);
    }
    if (m_label->hasFocus() && !link().isEmpty())
        Look::drawFocusRing(painter, QRectF(m_linkBox.translated(m_label->pos())).adjusted(-4, -2, 4, 2), 4, this);
    else if (hasFocus() || m_label->hasFocus())
        Look::drawFocusRing(painter, QRectF(icon.left() - 6, box.top(), m_label->geometry().right() + 7 - (icon.left() - 6), box.height()), 6, this);
}

QString StatusLine::accessibleText() const
{
    if (const auto* processing = std::get_if<JobStatus::Processing>(&m_status))
        return Texts::text("status.state.processing %@", processing->name);
    if (std::holds_alternative<JobStatus::Done>(m_status))
        return Texts::text("status.state.done %@", text());
    if (std::holds_alternative<JobStatus::Error>(m_status))
        return Texts::text("status.state.error %@", text());
    return text();
}

void StatusLine::keyPressEvent(QKeyEvent* event)
{
    const auto* done = std::get_if<JobStatus::Done>(&m_status);
    if (done && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        emit folderOpenRequested(QUrl::fromLocalFile(done->folder));
    } else if (event->key() == Qt::Key_Menu || (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        const QPoint under(m_label->x(), height());
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, under, mapToGlobal(under), event->modifiers());
        contextMenuEvent(&menu);
    } else {
        QWidget::keyPressEvent(event);
    }
}

void StatusLine::contextMenuEvent(QContextMenuEvent* event)
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addActions(actions());
    menu->popup(event->globalPos());
}
