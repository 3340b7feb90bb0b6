#include "platform/forms/FrameStyle.h"

#include <QApplication>
#include <QGroupBox>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionGroupBox>
#include <qdrawutil.h>

namespace platform {

namespace {

// Where the caption starts and how much border it leaves out either side.
constexpr int CaptionIndent = 6;
constexpr int CaptionGap = 2;
// The border: one line.
constexpr int BorderWidth = 1;

// The border in the look of Qt's own frames (the Fusion style's image) where
// Qt has it, else a plain line.
void DrawBorder(QPainter* painter, const QRect& border, const QPalette& palette)
{
    static const QPixmap image(
        QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"));
    if (!image.isNull()) {
        qDrawBorderPixmap(painter, border, QMargins(6, 6, 6, 6), image);
        return;
    }
    painter->setPen(palette.color(QPalette::Mid));
    painter->drawRoundedRect(QRectF(border).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
}

class CaptionOnBorderStyle final : public QProxyStyle {
public:
    explicit CaptionOnBorderStyle(QStyle* base) : QProxyStyle(base) {}

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override
    {
        const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        if (control != CC_GroupBox || box == nullptr)
            return QProxyStyle::subControlRect(control, option, part, widget);
        const QRect& r = option->rect;
        const int captionHeight = box->text.isEmpty() ? 0 : option->fontMetrics.height();
        switch (part) {
        case SC_GroupBoxFrame:
            return r.adjusted(0, captionHeight / 2, 0, 0);
        case SC_GroupBoxLabel: {
            const int width =
                option->fontMetrics.size(Qt::TextShowMnemonic, box->text).width() + 2 * CaptionGap;
            return QRect(r.left() + CaptionIndent, r.top(), width, captionHeight);
        }
        case SC_GroupBoxContents:
            return r.adjusted(BorderWidth, qMax(captionHeight, BorderWidth), -BorderWidth,
                              -BorderWidth);
        default:
            return QProxyStyle::subControlRect(control, option, part, widget);
        }
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override
    {
        const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        if (control != CC_GroupBox || box == nullptr || (box->subControls & SC_GroupBoxCheckBox)) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        const QRect border = subControlRect(control, option, SC_GroupBoxFrame, widget);
        const QRect caption = subControlRect(control, option, SC_GroupBoxLabel, widget);
        painter->save();
        if (!caption.isEmpty())
            painter->setClipRegion(QRegion(option->rect).subtracted(caption));
        DrawBorder(painter, border, option->palette);
        painter->restore();
        if (!caption.isEmpty())
            drawItemText(painter, caption.adjusted(CaptionGap, 0, -CaptionGap, 0),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, option->palette,
                         option->state & State_Enabled, box->text, QPalette::WindowText);
    }
};

QStyle* Style()
{
    // One for all frames, over a style of the application's kind (a proxy
    // must not take over the application's own style object).
    static QStyle* style =
        new CaptionOnBorderStyle(QStyleFactory::create(QApplication::style()->name()));
    return style;
}

} // namespace

void CaptionOnBorder(QGroupBox* frame)
{
    frame->setStyle(Style());
}

} // namespace platform
