#include "platform/forms/FirstLineIndicator.h"

#include <QAbstractButton>
#include <QApplication>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>

namespace platform {

namespace {

class FirstLineStyle final : public QProxyStyle {
public:
    explicit FirstLineStyle(QStyle* base) : QProxyStyle(base) {}

    QRect subElementRect(SubElement element, const QStyleOption* option,
                         const QWidget* widget) const override
    {
        QRect rect = QProxyStyle::subElementRect(element, option, widget);
        const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
        if ((element != SE_RadioButtonIndicator && element != SE_CheckBoxIndicator) ||
            button == nullptr || !button->text.contains(QLatin1Char('\n')))
            return rect;
        // The caption is drawn in the middle of its contents rectangle; the
        // indicator's middle goes level with the middle of its first line.
        const QRect contents = QProxyStyle::subElementRect(
            element == SE_RadioButtonIndicator ? SE_RadioButtonContents : SE_CheckBoxContents,
            option, widget);
        const QFontMetrics& metrics = option->fontMetrics;
        const int textHeight = metrics.size(Qt::TextShowMnemonic, button->text).height();
        const int textTop = contents.top() + (contents.height() - textHeight) / 2;
        rect.moveTop(textTop + (metrics.height() - rect.height()) / 2);
        return rect;
    }

    // The base style places the indicator without asking this proxy, so the
    // button is drawn here from the proxy's rectangles.
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
        if ((element != CE_RadioButton && element != CE_CheckBox) || button == nullptr) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        const bool radio = element == CE_RadioButton;
        QStyleOptionButton part = *button;
        part.rect =
            subElementRect(radio ? SE_RadioButtonIndicator : SE_CheckBoxIndicator, button, widget);
        drawPrimitive(radio ? PE_IndicatorRadioButton : PE_IndicatorCheckBox, &part, painter,
                      widget);
        part.rect =
            subElementRect(radio ? SE_RadioButtonContents : SE_CheckBoxContents, button, widget);
        drawControl(radio ? CE_RadioButtonLabel : CE_CheckBoxLabel, &part, painter, widget);
        if (button->state & State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(*button);
            focus.rect = subElementRect(radio ? SE_RadioButtonFocusRect : SE_CheckBoxFocusRect,
                                        button, widget);
            drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
        }
    }
};

QStyle* Style()
{
    // One for all such buttons, over a style of the application's kind (a
    // proxy must not take over the application's own style object).
    static QStyle* style = new FirstLineStyle(QStyleFactory::create(QApplication::style()->name()));
    return style;
}

} // namespace

void IndicatorByFirstLine(QAbstractButton* button)
{
    button->setStyle(Style());
}

} // namespace platform
