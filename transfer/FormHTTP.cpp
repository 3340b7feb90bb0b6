#include "transfer/FormHTTP.h"

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/convert/Convert.h"
#include "platform/forms/Clicks.h"
#include "platform/forms/Handlers.h"
#include "platform/forms/ShownText.h"
#include "platform/forms/Twips.h"
#include "platform/pump/Pump.h"
#include "platform/shell/Desktop.h"
#include "platform/winsock/Winsock.h"
#include "settings/FormOptions.h"
#include "tools/FormChoose.h"
#include "transfer/FormHTTPDetail.h"
#include "transfer/OnlineSearch.h"
#include "transfer/Restrictions.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>

using namespace KELPA;

namespace {

// The options window's buttons that work from the source URL ("Auto",
// "Dirs") follow whether there is one.
void EnableSourceButtons(bool enabled)
{
    if (OptionsOpen != 1)
        return;
    FormOptions& options = FormOptions::Instance();
    options.CommandAuto->setEnabled(enabled);
    options.CommandDirs->setEnabled(enabled);
}

// Runs the start command when the key is Enter and the command is enabled.
void StartOnEnter(int keyAscii)
{
    FormKelpa& form = FormKelpa::Instance();
    if (keyAscii == 13 && form.CommandStart->isEnabled())
        form.CommandStart_Click();
}

} // namespace

void httpdetail::AddHomeHost(const QString& host)
{
    if (transfer::AddHomeHost(host) && OptionsOpen == 1)
        FormOptions::Instance().TextRestHome->setText(HomePrefix);
}

FormHTTP& FormHTTP::Instance()
{
    static FormHTTP* instance = platform::Built(new FormHTTP);
    return *instance;
}

FormHTTP::~FormHTTP() = default;

FormHTTP::FormHTTP()
    : Form(Kind::MdiChild, "FormHTTP"),
      LinkShown([this](const QString& link) { platform::ShowText(TextLinks, link); })
{
    setupControls();
    AsyncAufruf = new winsock::NotifyTarget(
        [this](const winsock::Notice& notice) {
            if (notice.error != 0)
                noticeError_ = notice.error;
            AsyncAufruf_MouseMove();
        },
        this);
    AsyncAufruf->setObjectName(QStringLiteral("AsyncAufruf"));
    TimerTimeout.setHandler([this] { TimerTimeout_Timer(); });
    TimerConnect.setHandler([this] { TimerConnect_Timer(); });
    TimerDNSLookUp.setHandler([this] { TimerDNSLookUp_Timer(); });
    SetCaption(QStringLiteral(" "));
    MoveTo(0, 0, 7825, 1800);
}

// Two rows: the source; the target, the link and the two buttons at the
// right edge. Form_Resize fits the widths to the window. The captions left of
// the boxes have room for "Source:" and "Target:" in the screen font.
void FormHTTP::setupControls()
{
    PictureHTTP = platform::Control<QLabel>(this, "PictureHTTP");
    platform::Move(PictureHTTP, {0, 0, 7800, 1500});
    Label4 = platform::Control<QLabel>(this, "Label4");
    platform::Move(Label4, {60, 60, 720, 255});
    Text1 = platform::Control<QLineEdit>(this, "Text1");
    platform::Move(Text1, {810, 30, 6680, 315});
    Label2 = platform::Control<QLabel>(this, "Label2");
    platform::Move(Label2, {60, 420, 720, 255});
    Text2 = platform::Control<QLineEdit>(this, "Text2");
    platform::Move(Text2, {810, 390, 3180, 315});
    Label1 = platform::Control<QLabel>(this, "Label1");
    Label1->setText(QStringLiteral("Link:"));
    platform::Move(Label1, {4080, 420, 450, 255});
    TextLinks = platform::Control<QLineEdit>(this, "TextLinks");
    TextLinks->setReadOnly(true);
    for (QLineEdit* box : {Text1, Text2, TextLinks})
        platform::LayOutPlainly(box);
    platform::Move(TextLinks, {4560, 390, 2075, 315});
    CommandPaste = platform::Control<QPushButton>(this, "CommandPaste");
    platform::Move(CommandPaste, {7070, 390, 255, 315});
    CommandChooseFile = platform::Control<QPushButton>(this, "CommandChooseFile");
    platform::Move(CommandChooseFile, {7330, 390, 255, 315});
    CommandPaste->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    CommandChooseFile->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    wireControls();
}

void FormHTTP::wireControls()
{
    platform::On(Text1, &QLineEdit::textChanged, this, &FormHTTP::Text1_Change);
    platform::On(CommandPaste, &QPushButton::clicked, this, &FormHTTP::CommandPaste_Click);
    platform::On(CommandChooseFile, &QPushButton::clicked, this,
                 &FormHTTP::CommandChooseFile_Click);
    connect(Text1, &QLineEdit::returnPressed, this,
            [this] { platform::runGuarded([this] { Text1_KeyPress(13); }); });
    connect(Text2, &QLineEdit::returnPressed, this,
            [this] { platform::runGuarded([this] { Text2_KeyPress(13); }); });
    platform::OnClicks(Text1, this, &FormHTTP::Text1_Click, &FormHTTP::Text1_DblClick);
    platform::OnClicks(Text2, this, &FormHTTP::Text2_Click, &FormHTTP::Text2_DblClick);
    platform::OnClicks(Label2, this, nullptr, &FormHTTP::Label2_DblClick);
    platform::OnClicks(Label4, this, nullptr, &FormHTTP::Label4_DblClick);
}

void FormHTTP::Form_Load()
{
    ResizeGuard = 1;
    if (WindowState() == 0)
        MoveTo(0, 0, FormKelpa::Instance().Width() - 175, Height());
    ResizeGuard = 0;
    PlaceButtons();
    const auto& text = LanguageText;
    Label2->setText(text[102]);
    Label2->setToolTip(text[103]);
    Label4->setText(text[104]);
    Label4->setToolTip(text[76]);
    CommandPaste->setToolTip(text[100]);
}

void FormHTTP::PlaceButtons()
{
    platform::TwipsRect place = platform::Place(CommandChooseFile);
    place.Left = Width() - 495;
    platform::Move(CommandChooseFile, place);
    place = platform::Place(CommandPaste);
    place.Left = platform::Place(CommandChooseFile).Left - 260;
    platform::Move(CommandPaste, place);
}

void FormHTTP::Form_Resize()
{
    const int state = WindowState();
    if (state == 1 || ResizeGuard != 0)
        return;
    ResizeGuard = 1;
    KELPA::WindowState = 0;
    if (state == 2) {
        KELPA::WindowState = 2;
        platform::Move(PictureHTTP, {0, 0, Width(), Height()});
    } else {
        MoveTo(0, 0, Width(), 1300);
    }
    const double width = Width();
    const auto stretch = [](QWidget* control, double controlWidth) {
        platform::TwipsRect place = platform::Place(control);
        place.Width = controlWidth;
        platform::Move(control, place);
    };
    if (width > 1090)
        stretch(Text1, width - 1025);
    if (width > 7000)
        stretch(TextLinks, width - 5750);
    PlaceButtons();
    ResizeGuard = 0;
}

void FormHTTP::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    platform::runGuarded([this] { Form_Resize(); });
}

void FormHTTP::mousePressEvent(QMouseEvent* event)
{
    Form::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        platform::runGuarded([this] { Form_Click(); });
}

// The window stays until the program ends.
void FormHTTP::Form_QueryUnload(int& cancel)
{
    cancel = 1;
}

void FormHTTP::Text1_Change()
{
    FormKelpa& form = FormKelpa::Instance();
    const QString source = platform::Trim(Text1->text());
    const bool present = source.size() > 2 && platform::LCase(source) != QLatin1String("http://");
    QAction* autoSequence = form.MenuEntry("MenuAutoSequenz");
    if (present) {
        if (Running == 0)
            form.MenuEntry("MenuSaveTask")->setEnabled(true);
        if (!form.CommandSkip->isEnabled()) {
            form.CommandStart->setEnabled(true);
            if (autoSequence && autoSequence->isVisible())
                autoSequence->setEnabled(true);
            EnableSourceButtons(true);
            form.MenuEntry("MenuStart")->setEnabled(true);
            if (!form.CheckListe->isChecked())
                Text2->setEnabled(true);
            UrlsLeft = 1;
            form.StatusZeile();
        }
    } else {
        form.MenuEntry("MenuSaveTask")->setEnabled(false);
        form.CommandStart->setEnabled(false);
        if (autoSequence && autoSequence->isVisible())
            autoSequence->setEnabled(false);
        EnableSourceButtons(false);
        form.MenuEntry("MenuStart")->setEnabled(false);
        Text2->clear();
        Text2->setEnabled(false);
        UrlsLeft = 0;
        form.StatusZeile();
    }
    LinkShown.SetNow(QString());
}

void FormHTTP::Text1_Click()
{
    FormKelpa::Instance().IndiLED(QString());
}

void FormHTTP::Text1_DblClick()
{
    Text1->selectAll();
    Text2->clear();
}

void FormHTTP::Text1_KeyPress(int keyAscii)
{
    StartOnEnter(keyAscii);
}

void FormHTTP::Text2_KeyPress(int keyAscii)
{
    StartOnEnter(keyAscii);
}

void FormHTTP::Text2_DblClick()
{
    Text2->selectAll();
}

void FormHTTP::Text2_Click()
{
    Text1->setText(platform::Trim(Text1->text()));
    Text2->setText(platform::Trim(Text2->text()));
    Link = Text1->text();
    if (Text2->text() == TransferMessage)
        Text2->clear();
    FileName = Text2->text();
    FormKelpa& form = FormKelpa::Instance();
    if (FileName.isEmpty() && !Link.isEmpty()) {
        form.NamenGeben(QString());
        Text2->setText(FileName);
    } else if (!FileName.isEmpty() && !Link.isEmpty()) {
        const qsizetype cut = std::max(FileName.lastIndexOf(QLatin1Char('\\')),
                                       FileName.lastIndexOf(QLatin1Char('/')));
        if (cut >= 0) {
            FileName = FileName.mid(cut + 1);
            if (FileName.isEmpty())
                form.NamenGeben(QString());
        }
        Text2->setText(FileName);
    }
}

void FormHTTP::Form_Click()
{
    if (Caption().startsWith(LanguageText[119])) {
        SetCaption(QStringLiteral(" "));
        Text2->clear();
        FormKelpa::Instance().IndiLED(QString());
    }
}

void FormHTTP::Label2_DblClick()
{
    const QString file = LastFile.isEmpty() ? LocalFileName : LastFile;
    if (file.isEmpty() || (BytesReceived <= 0 && EvaluationComplete != 0))
        return;
    ApiResult = platform::ShellExecuteA(file, Directory);
}

void FormHTTP::Label4_DblClick()
{
    const QString source = Text1->text();
    if (!source.startsWith(QLatin1String("http://")) &&
        !source.startsWith(QLatin1String("file://")))
        return;
    ApiResult = platform::ShellExecuteA(source);
    platform::DoEvents();
}

void FormHTTP::CommandPaste_Click()
{
    if (!Text1->isEnabled())
        return;
    Text1->clear();
    Text1_Click();
    Text1->setText(QApplication::clipboard()->text());
    Text2_Click();
}

void FormHTTP::CommandChooseFile_Click()
{
    ChooseFilter = QStringLiteral("*.htm;*.html;*.shtml;*.map");
    ChooseTitle = LanguageText[33];
    FormChoose::Instance().Show(true);
    if (!ChosenPath.isEmpty()) {
        Text1->setText(ChosenPath);
        Text2->clear();
        ChosenPath.clear();
        SetCaption(QStringLiteral(" "));
        FormKelpa::Instance().OptionNew->setChecked(true);
    }
}
