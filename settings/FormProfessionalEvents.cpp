// The advanced settings dialog's handlers: loading from the settings
// variables, OK, Cancel, Reset to default, the blocking chain and the Host and
// Referer groups.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/convert/Convert.h"
#include "platform/forms/Handlers.h"
#include "platform/forms/Twips.h"
#include "settings/AdvancedRules.h"
#include "settings/FormProfessional.h"
#include "settings/StoredText.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace KELPA;

namespace {

// What a box holds for its variable: one line without control characters,
// blanks around it removed.
QString Typed(const QLineEdit* box)
{
    return platform::Trim(StoredText(box->text()));
}

void Tick(QCheckBox* box, int16_t flag)
{
    box->setChecked(flag != 0);
}

int16_t Flag(const QCheckBox* box)
{
    return box->isChecked() ? 1 : 0;
}

int SelectedIndex(const std::array<QRadioButton*, 4>& options)
{
    for (int i = 0; i < 3; ++i)
        if (options[i]->isChecked())
            return i;
    return 3;
}

} // namespace

void FormProfessional::Form_Load()
{
    PlaceOverMainWindow();
    SetCaptions();
    FillControls();
}

void FormProfessional::PlaceOverMainWindow()
{
    const FormKelpa& main = FormKelpa::Instance();
    MoveTo(advanced::CentredOn(main.Left(), main.Width(), Width(), platform::ScreenWidth()),
           advanced::CentredOn(main.Top(), main.Height(), Height(), platform::ScreenHeight()),
           Width(), Height());
}

void FormProfessional::SetCaptions()
{
    const auto& t = LanguageText;
    SetCaption(t[460]);
    TextIfModifiedSince->setToolTip(t[461]);
    OptionHostDefault->setText(t[465]);
    OptionHostUserDefined->setText(t[464]);
    OptionRefererDefault->setText(t[465]);
    OptionRefererUserDefined->setText(t[464]);
    Label2->setText(t[467]);
    Label11->setText(t[426]);
    Frame3->setTitle(t[434]);
    Frame2->setTitle(t[433]);
    Frame1->setTitle(t[432]);
    CheckAnalyse->setText(t[427]);
    CheckLogAllMessages->setText(t[428]);
    CheckParseJava->setText(t[429]);
    CheckRefreshHTML->setText(t[430]);
    CheckUseRecycleBin->setText(t[431]);
    CheckNoBanners->setText(t[452]);
    CommandReset->setText(t[466]);
    CommandCancel->setText(t[4]);
}

void FormProfessional::FillControls()
{
    TextHeadline->setText(HeadLine);
    if (!Host.isEmpty()) {
        OptionHostUserDefined->setChecked(true);
        TextHost->setEnabled(true);
        TextHost->setText(Host);
    } else {
        TextHost->setText(HostName);
        TextHost->setEnabled(false);
    }
    if (!Referer.isEmpty()) {
        OptionRefererUserDefined->setChecked(true);
        TextReferer->setEnabled(true);
        TextReferer->setText(Referer);
    } else {
        OptionRefererDefault->setChecked(true);
        if (!UrlPath.isEmpty())
            TextReferer->setText(UrlPath + QLatin1Char('/'));
        TextReferer->setEnabled(false);
    }
    TextAccept->setText(Accept);
    TextConnection->setText(Connection);
    TextUserAgent->setText(UserAgent);
    TextIfModifiedSince->setText(IfModifiedSince);
    TextHideMin->setText(QString::number(HideMin));
    // Long values show from their beginning.
    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->setCursorPosition(0);

    // Each box set to a new value runs its click: the blocking chain acts.
    Tick(CheckAnalyse, AnalyseOnStop);
    Tick(CheckLogAllMessages, LogAllMessages);
    Tick(CheckNoBanners, NoExternalBanners);
    Tick(CheckParseJava, ParseJava);
    Tick(CheckRefreshHTML, RefreshHTML);
    Tick(CheckUseRecycleBin, UseRecycleBin);
    Tick(CheckConnect, ConnectBlocking);
    Tick(CheckGetHostByName, GetHostByNameBlocking);
    Tick(CheckSend, SendBlocking);
    Tick(CheckRecv, RecvBlocking);

    const int timeOut = advanced::OptionIndex(advanced::TimeOuts, ConnectTO);
    ConnectTO = advanced::TimeOuts[timeOut];
    const std::array<QRadioButton*, 4> timeOuts{Option10, Option20, Option30, Option60};
    timeOuts[timeOut]->setChecked(true);
    const int buffer = advanced::OptionIndex(advanced::BufferSizes, RecvBuffer);
    const std::array<QRadioButton*, 4> buffers{Option512, Option1024, Option2048, Option8192};
    buffers[buffer]->setChecked(true);
}

void FormProfessional::CommandOK_Click()
{
    HeadLine = Typed(TextHeadline);
    const auto chosen = [](QRadioButton* userDefined, QRadioButton* byDefault,
                           const QLineEdit* box) {
        const QString text = Typed(box);
        if (userDefined->isChecked() && !text.isEmpty())
            return text;
        byDefault->setChecked(true);
        return QString();
    };
    Host = chosen(OptionHostUserDefined, OptionHostDefault, TextHost);
    Referer = chosen(OptionRefererUserDefined, OptionRefererDefault, TextReferer);
    Accept = Typed(TextAccept);
    Connection = Typed(TextConnection);
    UserAgent = Typed(TextUserAgent);
    IfModifiedSince = Typed(TextIfModifiedSince);
    HideMin = advanced::HideMinutes(Typed(TextHideMin));

    LogAllMessages = Flag(CheckLogAllMessages);
    ParseJava = Flag(CheckParseJava);
    RefreshHTML = Flag(CheckRefreshHTML);
    UseRecycleBin = Flag(CheckUseRecycleBin);
    AnalyseOnStop = Flag(CheckAnalyse);
    ConnectBlocking = Flag(CheckConnect);
    NoExternalBanners = Flag(CheckNoBanners);
    GetHostByNameBlocking = Flag(CheckGetHostByName);
    SendBlocking = Flag(CheckSend);
    RecvBlocking = Flag(CheckRecv);

    ConnectTO = advanced::TimeOuts[SelectedIndex({Option10, Option20, Option30, Option60})];
    RecvBuffer =
        advanced::BufferSizes[SelectedIndex({Option512, Option1024, Option2048, Option8192})];
    FormKelpa::Instance().ShowHideMinutes();
    Unload();
}

void FormProfessional::CommandCancel_Click()
{
    Unload();
}

void FormProfessional::CommandReset_Click()
{
    const advanced::Defaults defaults = advanced::ResetDefaults();
    OptionRefererDefault->setChecked(true);
    TextReferer->setEnabled(false);
    TextReferer->clear();
    OptionHostDefault->setChecked(true);
    TextHost->setEnabled(false);
    TextHost->clear();
    TextHeadline->setText(defaults.HeadLine);
    TextAccept->setText(defaults.Accept);
    TextConnection->setText(defaults.Connection);
    TextUserAgent->setText(defaults.UserAgent);
    TextIfModifiedSince->setText(defaults.IfModifiedSince);
    TextHideMin->setText(defaults.HideMin);
    CheckLogAllMessages->setChecked(false);
    CheckNoBanners->setChecked(false);
    CheckParseJava->setChecked(false);
    CheckRefreshHTML->setChecked(false);
    CheckUseRecycleBin->setChecked(defaults.UseRecycleBin);
    CheckAnalyse->setChecked(false);
    // The blocking boxes too reach their variables only through OK.
    for (const int box :
         {advanced::Connect, advanced::GetHostByName, advanced::Send, advanced::Recv})
        BlockingBoxes()[box]->setChecked(defaults.blocking.ticked[box]);
    const std::array<QRadioButton*, 4> timeOuts{Option10, Option20, Option30, Option60};
    timeOuts[advanced::OptionIndex(advanced::TimeOuts, defaults.ConnectTO)]->setChecked(true);
    const std::array<QRadioButton*, 4> buffers{Option512, Option1024, Option2048, Option8192};
    buffers[advanced::OptionIndex(advanced::BufferSizes, defaults.RecvBuffer)]->setChecked(true);
}

void FormProfessional::BlockingChain(int box)
{
    const std::array<QCheckBox*, 4> boxes = BlockingBoxes();
    advanced::BlockingBoxes state;
    for (int i = 0; i < 4; ++i) {
        state.ticked[i] = boxes[i]->isChecked();
        state.enabled[i] = boxes[i]->isEnabled();
    }
    advanced::BlockingClick(state, static_cast<advanced::Blocking>(box));
    // A box ticked here runs its own click in turn.
    for (int i = 0; i < 4; ++i) {
        boxes[i]->setChecked(state.ticked[i]);
        boxes[i]->setEnabled(state.enabled[i]);
    }
}

void FormProfessional::CheckConnect_Click()
{
    BlockingChain(advanced::Connect);
}

void FormProfessional::CheckSend_Click()
{
    BlockingChain(advanced::Send);
}

void FormProfessional::CheckRecv_Click()
{
    BlockingChain(advanced::Recv);
}

void FormProfessional::OptionHostDefault_Click()
{
    TextHost->setEnabled(false);
    TextHost->clear();
}

void FormProfessional::OptionHostUserDefined_Click()
{
    TextHost->setEnabled(true);
}

void FormProfessional::OptionRefererDefault_Click()
{
    TextReferer->setEnabled(false);
    TextReferer->clear();
}

void FormProfessional::OptionRefererUserDefined_Click()
{
    TextReferer->setEnabled(true);
}

void FormProfessional::TextIfModifiedSince_DblClick()
{
    TextIfModifiedSince->setText(advanced::IfModifiedSinceExample());
}
