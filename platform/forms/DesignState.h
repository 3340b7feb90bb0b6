#pragma once
// What a window's controls looked like when it was built, so that unloading
// can put them back: texts, check marks, values, list items, enabled and
// visible flags, places. Restoring runs no handler.

#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

namespace platform {

class DesignState {
public:
    // Records root and every widget below it.
    void Take(QWidget* root);
    // Puts every recorded widget that still exists back, with signals blocked.
    void Restore() const;
    bool Empty() const { return records_.empty(); }

private:
    struct Record {
        QPointer<QWidget> widget;
        bool enabled = true;
        bool hidden = false;
        QRect geometry;
        QString toolTip;
        QString text; // line edit, text edit, label, button, group box title
        bool checked = false;
        int value = 0; // slider or scroll bar; list or combo row
        int minimum = 0;
        int maximum = 0;
        QStringList items; // list box or combo box
    };
    static Record Read(QWidget* widget);
    static void Write(const Record& record);

    std::vector<Record> records_;
};

} // namespace platform
