#include "main/FormMemo.h"

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/convert/Convert.h"
#include "platform/forms/Handlers.h"
#include "platform/shell/Desktop.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

FormMemo& FormMemo::Instance()
{
    static FormMemo* instance = platform::Built(new FormMemo);
    return *instance;
}

FormMemo::FormMemo() : Form(Kind::TopLevel, "FormMemo")
{
    Text1 = platform::Control<QPlainTextEdit>(this, "Text1");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Text1);
    MoveTo(0, 0, 4800, 3600);
    platform::On(Text1, &QPlainTextEdit::textChanged, this, &FormMemo::Text1_Change);
}

void FormMemo::Form_Load()
{
    SetCaption(QStringLiteral("Kelpa") + KELPA::LanguageText[380]);
    QString text = KELPA::MemoText;
    Text1->setPlainText(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    KELPA::ApiResult = platform::SetWindowPos(this, platform::HWND_TOPMOST);
    KeepClearOf(FormKelpa::Instance().ControlAreas());
}

void FormMemo::Text1_Change()
{
    QString text = Text1->toPlainText();
    KELPA::MemoText = platform::Trim(text.replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}
