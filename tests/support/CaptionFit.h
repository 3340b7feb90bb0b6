#pragma once
// Font metrics of captions: whether a control shows a text whole, in width
// and in height, with its indicator, frame and margins, and whether it lies
// inside its parent without covering a sibling.

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QWidget>

#include <algorithm>

namespace testsupport {

// The size control needs to show text whole.
inline QSize NeededSize(QWidget* control, const QString& text)
{
    const int textHeight = control->fontMetrics().height();
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        const QString shown = button->text();
        button->setText(text);
        // A check box or an option button needs its indicator's height or
        // the text's, whichever is more; a button the text's and its frame.
        QSize hint = button->sizeHint();
        button->setText(shown);
        // A push button's hint has a least width of the style's; the text
        // itself needs only its width, the button's margins and frame.
        if (qobject_cast<QPushButton*>(button)) {
            const QStyle* style = button->style();
            hint.setWidth(control->fontMetrics().size(Qt::TextShowMnemonic, text).width() +
                          2 * style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                          2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button));
        }
        // A caption broken into lines needs the height of all of them.
        const int linesHeight =
            std::max(textHeight, control->fontMetrics().size(Qt::TextShowMnemonic, text).height());
        int height = linesHeight + 4;
        if (qobject_cast<QCheckBox*>(button))
            height =
                std::max(linesHeight, button->style()->pixelMetric(QStyle::PM_IndicatorHeight));
        else if (qobject_cast<QRadioButton*>(button))
            height = std::max(linesHeight,
                              button->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight));
        return QSize(hint.width(), height);
    }
    if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        const QString shown = frame->title();
        frame->setTitle(text);
        const QSize needed(frame->minimumSizeHint().width(), 0);
        frame->setTitle(shown);
        return needed;
    }
    auto* label = qobject_cast<QLabel*>(control);
    const QSize margins = label->size() - label->contentsRect().size();
    // A label that breaks its text into lines needs their height at its width.
    if (label->wordWrap()) {
        const QString shown = label->text();
        label->setText(text);
        const int height = label->heightForWidth(label->width());
        label->setText(shown);
        return QSize(label->width(), height);
    }
    return label->fontMetrics().size(0, text).expandedTo(QSize(0, textHeight)) + margins;
}

// The caption a control shows: a button's text, a label's text, a frame's
// title; empty for other controls.
inline QString CaptionOf(const QWidget* control)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (const auto* frame = qobject_cast<const QGroupBox*>(control))
        return frame->title();
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    return {};
}

// What is wrong with control showing text; empty when it shows it whole.
inline QString CaptionProblem(QWidget* control, const QString& text)
{
    const QSize needed = NeededSize(control, text);
    if (needed.width() <= control->width() && needed.height() <= control->height())
        return {};
    return QStringLiteral("%1 \"%2\" needs %3x%4 px, has %5x%6")
        .arg(control->objectName(), text)
        .arg(needed.width())
        .arg(needed.height())
        .arg(control->width())
        .arg(control->height());
}

// The area of frame where its contents may stand, as its style draws it:
// inside the border and below the caption.
inline QRect FrameContents(const QGroupBox* frame)
{
    QStyleOptionGroupBox option;
    option.initFrom(frame);
    option.text = frame->title();
    option.subControls = QStyle::SC_GroupBoxFrame;
    if (!option.text.isEmpty())
        option.subControls |= QStyle::SC_GroupBoxLabel;
    return frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxContents,
                                          frame);
}

// Whether control lies outside its parent (unless the parent is a window of
// its own; inside a frame, outside the frame's contents: on its border or its
// caption) or covers a sibling that is not hidden; empty when neither.
inline QString PlaceProblem(const QWidget* control)
{
    const QWidget* parent = control->parentWidget();
    if (!parent)
        return {};
    if (!parent->isWindow() && !parent->rect().contains(control->geometry()))
        return QStringLiteral("%1 reaches out of %2")
            .arg(control->objectName(), parent->objectName());
    if (const auto* frame = qobject_cast<const QGroupBox*>(parent);
        frame && !FrameContents(frame).contains(control->geometry()))
        return QStringLiteral("%1 lies on the border or caption of %2")
            .arg(control->objectName(), parent->objectName());
    for (const QWidget* sibling : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (sibling != control && !sibling->isHidden() && !sibling->isWindow() &&
            sibling->geometry().intersects(control->geometry()))
            return QStringLiteral("%1 covers %2").arg(control->objectName(), sibling->objectName());
    return {};
}

// Every captioned, not hidden control below root that does not show its
// caption whole, lies out of its parent or covers a sibling.
inline QStringList ClippedCaptions(QWidget* root)
{
    QStringList problems;
    for (QWidget* control : root->findChildren<QWidget*>()) {
        const QString caption = CaptionOf(control);
        if (caption.isEmpty() || control->isHidden())
            continue;
        for (const QString& problem : {CaptionProblem(control, caption), PlaceProblem(control)})
            if (!problem.isEmpty())
                problems << problem;
    }
    return problems;
}

// The data rows of a caption test, one per language, in a column "language".
inline void LanguageRows()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << QStringLiteral("english");
    QTest::newRow("German") << QStringLiteral("deutsch");
}

} // namespace testsupport
