#include "transfer/FormHTTP.h"

#include "platform/forms/Handlers.h"
#include "platform/forms/Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
std::function<void()>& transferStandIn()
{
    static std::function<void()> transfer;
    return transfer;
}
} // namespace

FormHTTP& FormHTTP::Instance()
{
    static FormHTTP* instance = new FormHTTP;
    return *instance;
}

FormHTTP::FormHTTP() : Form(Kind::MdiChild, "FormHTTP")
{
    PictureHTTP = platform::Control<QLabel>(this, "PictureHTTP");
    platform::Move(PictureHTTP, {0, 0, 7800, 1500});
    Text1 = platform::Control<QLineEdit>(this, "Text1");
    platform::Move(Text1, {120, 120, 5400, 315});
    Text2 = platform::Control<QLineEdit>(this, "Text2");
    platform::Move(Text2, {120, 555, 5400, 315});
    TextLinks = platform::Control<QLineEdit>(this, "TextLinks");
    TextLinks->setReadOnly(true);
    platform::Move(TextLinks, {120, 990, 5400, 315});
    CommandPaste = platform::Control<QPushButton>(this, "CommandPaste");
    platform::Move(CommandPaste, {5640, 120, 375, 315});
    CommandChooseFile = platform::Control<QPushButton>(this, "CommandChooseFile");
    platform::Move(CommandChooseFile, {6060, 120, 375, 315});
    SetCaption(QStringLiteral(" "));
    MoveTo(0, 0, 7825, 1800);
}

void FormHTTP::Text2_Click() {}

void FormHTTP::Uebertragung()
{
    if (transferStandIn())
        transferStandIn()();
}

void FormHTTP::SetTransfer(std::function<void()> transfer)
{
    transferStandIn() = std::move(transfer);
}
