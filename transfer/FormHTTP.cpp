#include "transfer/FormHTTP.h"

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/convert/Convert.h"
#include "platform/forms/Handlers.h"
#include "platform/forms/Twips.h"
#include "platform/winsock/Winsock.h"
#include "tools/FormChoose.h"
#include "transfer/OnlineSearch.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace KELPA;

FormHTTP& FormHTTP::Instance()
{
    static FormHTTP* instance = new FormHTTP;
    return *instance;
}

FormHTTP::~FormHTTP() = default;

FormHTTP::FormHTTP() : Form(Kind::MdiChild, "FormHTTP")
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

void FormHTTP::setupControls()
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

    platform::On(Text1, &QLineEdit::textChanged, this, &FormHTTP::Text1_Change);
    platform::On(CommandPaste, &QPushButton::clicked, this, &FormHTTP::CommandPaste_Click);
    platform::On(CommandChooseFile, &QPushButton::clicked, this,
                 &FormHTTP::CommandChooseFile_Click);
    const auto startOnEnter = [] {
        FormKelpa& form = FormKelpa::Instance();
        if (form.CommandStart->isEnabled())
            form.CommandStart_Click();
    };
    for (QLineEdit* box : {Text1, Text2})
        connect(box, &QLineEdit::returnPressed, this,
                [startOnEnter] { platform::runGuarded(startOnEnter); });
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
        form.MenuEntry("MenuStart")->setEnabled(false);
        Text2->clear();
        Text2->setEnabled(false);
        UrlsLeft = 0;
        form.StatusZeile();
    }
    TextLinks->clear();
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

void FormHTTP::CommandPaste_Click()
{
    if (!Text1->isEnabled())
        return;
    Text1->clear();
    FormKelpa::Instance().IndiLED(QString());
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
