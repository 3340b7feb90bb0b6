#include "platform/forms/DesignState.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextEdit>

namespace platform {

namespace {

// The parts of a list or text box (its viewport, its scroll bars and their
// frames) are laid out by the box itself as its contents change: put back
// to an earlier place or visibility, they show broken bars.
bool InsideScrollArea(const QWidget* widget, const QWidget* root)
{
    for (const QWidget* parent = widget->parentWidget(); parent != nullptr && parent != root;
         parent = parent->parentWidget()) {
        if (qobject_cast<const QAbstractScrollArea*>(parent) != nullptr)
            return true;
    }
    return false;
}

} // namespace

void DesignState::Take(QWidget* root)
{
    records_.clear();
    records_.push_back(Read(root));
    const auto children = root->findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (!InsideScrollArea(child, root))
            records_.push_back(Read(child));
    }
}

void DesignState::Restore() const
{
    for (const Record& record : records_)
        if (record.widget)
            Write(record);
}

namespace {

QStringList ListItems(const QListWidget* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

QStringList ComboItems(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

} // namespace

DesignState::Record DesignState::Read(QWidget* w)
{
    Record r;
    r.widget = w;
    // The control's own flag: a control inside a disabled frame is itself
    // still enabled, and enabling the frame must show it so.
    r.enabled = !w->testAttribute(Qt::WA_ForceDisabled);
    r.hidden = w->isHidden();
    r.geometry = w->geometry();
    r.toolTip = w->toolTip();
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        r.text = e->text();
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
        r.text = p->toPlainText();
    } else if (auto* t = qobject_cast<QTextEdit*>(w)) {
        r.text = t->toPlainText();
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        r.text = l->text();
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        r.text = b->text();
        r.checked = b->isChecked();
    } else if (auto* s = qobject_cast<QAbstractSlider*>(w)) {
        r.value = s->value();
        r.minimum = s->minimum();
        r.maximum = s->maximum();
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        r.items = ListItems(list);
        r.value = list->currentRow();
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        r.items = ComboItems(c);
        r.value = c->currentIndex();
        r.text = c->isEditable() ? c->currentText() : QString();
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        r.text = g->title();
    }
    return r;
}

void DesignState::Write(const Record& r)
{
    QWidget* w = r.widget;
    const QSignalBlocker block(w);
    w->setEnabled(r.enabled);
    w->setHidden(r.hidden);
    w->setGeometry(r.geometry);
    w->setToolTip(r.toolTip);
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(r.text);
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
        p->setPlainText(r.text);
    } else if (auto* t = qobject_cast<QTextEdit*>(w)) {
        t->setPlainText(r.text);
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setText(r.text);
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->setText(r.text);
        b->setChecked(r.checked);
    } else if (auto* s = qobject_cast<QAbstractSlider*>(w)) {
        s->setRange(r.minimum, r.maximum);
        s->setValue(r.value);
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        list->clear();
        list->addItems(r.items);
        list->setCurrentRow(r.value);
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        c->clear();
        c->addItems(r.items);
        c->setCurrentIndex(r.value);
        if (c->isEditable())
            c->setEditText(r.text);
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        g->setTitle(r.text);
    }
}

} // namespace platform
