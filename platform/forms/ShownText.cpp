#include "platform/forms/ShownText.h"

#include <QFont>
#include <QLineEdit>
#include <QWidget>

namespace platform {

void ShowText(QLineEdit* box, const QString& text)
{
    if (box->text() != text)
        box->setText(text);
}

void LayOutPlainly(QWidget* control)
{
    QFont font = control->font();
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
    control->setFont(font);
}

} // namespace platform
