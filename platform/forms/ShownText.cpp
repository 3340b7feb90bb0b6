#include "platform/forms/ShownText.h"

#include <QLineEdit>

namespace platform {

void ShowText(QLineEdit* box, const QString& text)
{
    if (box->text() != text)
        box->setText(text);
}

} // namespace platform
