#include "Accessibility.h"

#include "DropZone.h"

#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QFrame>
#include <QLabel>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QWidget>

#include <mutex>

namespace {

// The drop zone: a button, pressed as a click presses it. The press is queued, so that the
// file dialog it opens does not hold up the assistive tool's call.
class DropZoneButton : public QAccessibleWidget {
public:
    explicit DropZoneButton(DropZone* zone)
        : QAccessibleWidget(zone, QAccessible::Button)
    {
    }

    QStringList actionNames() const override { return QStringList(pressAction()) + QAccessibleWidget::actionNames(); }

    void doAction(const QString& name) override
    {
        if (name != pressAction())
            QAccessibleWidget::doAction(name);
        else if (widget()->isEnabled())
            QMetaObject::invokeMethod(static_cast<DropZone*>(widget()), &DropZone::activated, Qt::QueuedConnection);
    }
};

// The link in a label's rich text (the status line holds one at most): its address and its
// words.
struct Anchor {
    bool found = false;
    QString href, words;
};

Anchor anchorIn(const QLabel* label)
{
    static const QRegularExpression anchor(QStringLiteral("<a\\s[^>]*href=\"([^\"]*)\"[^>]*>(.*?)</a>"),
                                           QRegularExpression::DotMatchesEverythingOption);
    if (label->textFormat() == Qt::PlainText)
        return {};
    const QRegularExpressionMatch found = anchor.match(label->text());
    if (!found.hasMatch())
        return {};
    // The status line keeps its link on one line: its words hold no break.
    return {true, QTextDocumentFragment::fromHtml(found.captured(1)).toPlainText(),
            QTextDocumentFragment::fromHtml(found.captured(2)).toPlainText()};
}

// The link in the status line's text, an object of its own to assistive technology: a Link
// named by its words (a folder by its whole path, as the words shown may be shortened) that
// a press follows, as a click or Enter does. It stands for a plain object the label owns, so
// that it goes with the label.
class TextLink : public QAccessibleObject, public QAccessibleActionInterface {
public:
    TextLink(QObject* stand, QLabel* label)
        : QAccessibleObject(stand)
        , m_label(label)
    {
    }

    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_label); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QWindow* window() const override { return m_label->window()->windowHandle(); }
    QAccessible::Role role() const override { return QAccessible::Link; }
    QRect rect() const override { return QRect(m_label->mapToGlobal(QPoint()), m_label->size()); }

    QString text(QAccessible::Text kind) const override
    {
        if (kind != QAccessible::Name)
            return {};
        const Anchor anchor = anchorIn(m_label);
        const QUrl url(anchor.href);
        return url.isLocalFile() ? url.toLocalFile() : anchor.words;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.linked = true;
        state.focusable = m_label->focusPolicy() & Qt::TabFocus;
        state.focused = m_label->hasFocus();
        state.invisible = !m_label->isVisible();
        state.disabled = !m_label->isEnabled();
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    void doAction(const QString& name) override
    {
        if (name != pressAction() || !m_label->isEnabled())
            return;
        QLabel* label = m_label;
        QMetaObject::invokeMethod(
            label, [label, href = anchorIn(label).href] { emit label->linkActivated(href); }, Qt::QueuedConnection);
    }

private:
    QLabel* m_label;
};

// The status line's text: its name is what the line sets (its words without the breaks
// drawn); its link, while it holds one, is its child.
class LinkedText : public QAccessibleWidget {
public:
    explicit LinkedText(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText)
        , m_link(new TextLink(new QObject(label), label))
    {
        QAccessible::registerAccessibleInterface(m_link); // the cache deletes it with its object
    }

    int childCount() const override { return linked() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override { return index == 0 && linked() ? m_link : nullptr; }
    int indexOfChild(const QAccessibleInterface* child) const override { return child == m_link && linked() ? 0 : -1; }
    QAccessibleInterface* focusChild() const override { return linked() && label()->hasFocus() ? m_link : nullptr; }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        return linked() && rect().contains(x, y) ? m_link : nullptr;
    }

private:
    QLabel* label() const { return static_cast<QLabel*>(widget()); }
    bool linked() const { return anchorIn(label()).found; }
    TextLink* m_link;
};

QAccessibleInterface* accessibleRole(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget && className == QLatin1String("DropZone"))
        return new DropZoneButton(static_cast<DropZone*>(widget));
    if (widget && className == QLatin1String("StatusLine"))
        return new QAccessibleWidget(widget, QAccessible::StatusBar);
    if (widget && className == QLatin1String("QLabel") && widget->parentWidget()
        && widget->parentWidget()->inherits("StatusLine"))
        return new LinkedText(static_cast<QLabel*>(widget));
    // A line between parts (the About window's) is a separator, not a nameless frame.
    if (auto* frame = qobject_cast<QFrame*>(object); frame && className == QLatin1String("QFrame")
        && (frame->frameShape() == QFrame::HLine || frame->frameShape() == QFrame::VLine))
        return new QAccessibleWidget(frame, QAccessible::Separator);
    // A plain widget made a dialog window (the About window) is a dialog, not a filler.
    if (widget && className == QLatin1String("QWidget") && widget->isWindow() && widget->windowType() == Qt::Dialog)
        return new QAccessibleWidget(widget, QAccessible::Dialog);
    return nullptr;
}

} // namespace

void installAccessibleRoles()
{
    static std::once_flag once;
    std::call_once(once, [] { QAccessible::installFactory(accessibleRole); });
}
