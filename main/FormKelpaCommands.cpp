// The main window's menu and tool-bar commands that carry logic of their own,
// its keyboard and mouse gestures, and files dropped onto it.

#include "main/FormInfo.h"
#include "main/FormKelpa.h"
#include "main/FormKontext.h"
#include "main/FormMemo.h"
#include "main/Kelpa.h"
#include "platform/files/Files.h"
#include "platform/forms/Twips.h"
#include "platform/msgbox/MsgBox.h"
#include "platform/pump/Pump.h"
#include "platform/shell/Desktop.h"
#include "preview/FormPreview.h"
#include "settings/FormOptions.h"
#include "tools/FormAssistant.h"
#include "tools/FormChoose.h"
#include "tools/FormEdit.h"
#include "transfer/FormHTTP.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>

using namespace KELPA;

namespace {

const QString ProductPage = QStringLiteral("http://www.kelpa.example/");

// Flips a check mark; returns the new state.
bool Flip(QAction* entry)
{
    entry->setChecked(!entry->isChecked());
    return entry->isChecked();
}

// Activates a child window, loading it when needed: a minimised one is
// restored; a maximised one stays so and closes the ordinary preview.
void BringUp(platform::Form& window)
{
    window.Show();
    if (!window.Loaded())
        return;
    if (window.WindowState() == 1)
        window.SetWindowState(0);
    else if (window.WindowState() == 2 && PreviewOpen == 1)
        FormPreview::Instance().Unload();
}

// A prepared completion would be lost: asks whether to go on.
bool ContinueDespiteCompletion(const QString& title)
{
    MessageText = LanguageText[276] + QStringLiteral("\r\n\r\n") + LanguageText[277];
    MsgAnswer =
        int16_t(platform::MsgBox(MessageText, platform::vbYesNo | platform::vbInformation, title));
    return MsgAnswer == platform::vbYes;
}

} // namespace

void FormKelpa::MenuNew_Click()
{
    OptionNew->setChecked(true);
    MenuHTTP_Click();
    QLineEdit* text1 = FormHTTP::Instance().Text1;
    text1->setText(QStringLiteral("http://"));
    text1->setCursorPosition(7);
}

void FormKelpa::MenuChooseInputFile_Click()
{
    if (OptionContinue->isChecked()) {
        if (!ContinueDespiteCompletion(QStringLiteral("Kelpa [") + LanguageText[68] +
                                       QStringLiteral("]")))
            return;
        FormHTTP::Instance().SetCaption(QStringLiteral(" "));
    }
    ChooseFilter = QStringLiteral("*.inp");
    ChooseTitle = LanguageText[68];
    FormChoose::Instance().Show(true);
    if (ChosenPath.isEmpty())
        return;
    InputFile = ChosenPath;
    InputFileLaden();
    ChosenPath.clear();
}

void FormKelpa::MenuSaveSettings_Click()
{
    inischreiben(QStringLiteral("KELPA.INI"));
    logging(LanguageText[318] + QStringLiteral(" KELPA.INI"));
}

void FormKelpa::MenuSaveSettingsAutomatically_Click()
{
    SaveSettingsAutomatically = Flip(MenuEntry("MenuSaveSettingsAutomatically")) ? 1 : 0;
}

void FormKelpa::MenuToolbar_Click()
{
    const bool shown = Flip(MenuEntry("MenuToolbar"));
    PictureButtons->setHidden(!shown);
    ShowToolbar = shown ? 1 : 0;
}

void FormKelpa::MenuProtocol_Click()
{
    const bool shown = Flip(MenuEntry("MenuProtocol"));
    PictureList->setHidden(!shown);
    ShowProtocol = shown ? 1 : 0;
    ShowLogNow();
    if (shown && ListLogging->count() > 0)
        ListLogging->setCurrentRow(0);
}

void FormKelpa::MenuPreviewTop_Click()
{
    const bool top = Flip(MenuEntry("MenuPreviewTop"));
    PreviewTop = top ? 1 : 0;
    if (!top && PreviewTopOpen == 1) {
        FormPreviewTop::Instance().Unload();
        MenuPreview_Click();
    } else if (top && PreviewOpen == 1) {
        FormPreview::Instance().Unload();
        MenuPreview_Click();
    }
}

void FormKelpa::MenuOptions_Click()
{
    ShowOptions = 1;
    BringUp(FormOptions::Instance());
}

void FormKelpa::MenuHTTP_Click()
{
    BringUp(FormHTTP::Instance());
}

void FormKelpa::MenuEdit_Click()
{
    ShowEdit = 1;
    BringUp(FormEdit::Instance());
}

void FormKelpa::MenuPreview_Click()
{
    if (PreviewTop != 0)
        FormPreviewTop::Instance().Show();
    else
        FormPreview::Instance().Show();
}

void FormKelpa::MenuAssistant_Click()
{
    FormHTTP& http = FormHTTP::Instance();
    if (!http.Visible())
        http.Show();
    if (OptionContinue->isChecked()) {
        if (!ContinueDespiteCompletion(QStringLiteral("Kelpa ") + LanguageText[191]))
            return;
        http.SetCaption(QStringLiteral(" "));
        OptionNew->setChecked(true);
        http.Text1->clear();
    }
    FormAssistant::Instance().Show(true);
}

void FormKelpa::MenuURLListe_Click(int16_t index)
{
    if (index < 1 || index > 6)
        return;
    ApiResult = platform::ShellExecuteA(Page[index]);
    if (ApiResult == platform::SE_ERR_NOASSOC) {
        MessageText = LanguageText[182];
        platform::MsgBox(MessageText, platform::vbExclamation, QStringLiteral("Kelpa"));
    }
}

void FormKelpa::MenuClearInactive_Click()
{
    for (int i = 1; i <= 6; ++i) {
        const QByteArray name = "MenuURLListe(" + QByteArray::number(i) + ")";
        if (!MenuEntry(name.constData())->isEnabled())
            Page[i].clear();
    }
    URLListe(1);
    MenuEntry("MenuClearInactive")->setEnabled(false);
}

void FormKelpa::MenuClearAll_Click()
{
    CallResult = platform::MsgBox(
        LanguageText[285], platform::vbYesNo | platform::vbQuestion | platform::vbDefaultButton2,
        QStringLiteral("Kelpa"));
    if (CallResult != platform::vbYes)
        return;
    for (int i = 1; i <= 6; ++i)
        Page[i].clear();
    MenuEntry("MenuClearAll")->setEnabled(false);
    MenuEntry("MenuClearInactive")->setEnabled(false);
    URLListe(1);
}

void FormKelpa::MenuClearProtocol_Click()
{
    ClearLog();
    LogLineCount = 0;
    MenuEntry("MenuClearProtocol")->setEnabled(false);
    PlaceClearProtocol();
}

void FormKelpa::MenuClearStatus_Click()
{
    FilesLoaded = FilesKept = 0;
    BytesLoaded = BytesKept = 0;
    StatusZeile();
    logging(LanguageText[178]);
    logging(QString());
    MenuEntry("MenuClearStatus")->setEnabled(false);
}

void FormKelpa::MenuClearGenerated_Click()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    platform::DoEvents();
    for (const char* name : {"kelpa.not", "kelpa.bak", "kelpa.got", "kelpa.log"}) {
        if (RefreshHTML != 0 && qstrcmp(name, "kelpa.got") == 0)
            continue;
        RecycleFile = QLatin1String(name);
        DateiInPapierkorb();
    }
    OptionNew->setChecked(true);
    OptionNew->setEnabled(false);
    OptionContinue->setEnabled(false);
    MenuEntry("MenuClearGenerated")->setEnabled(false);
    if (EditOpen == 1)
        FormEdit::Instance().LogFromDisk();
    TotalsSuppressed = 1;
    QApplication::restoreOverrideCursor();
    if (!CommandExit->isEnabled())
        return;
    if (!CommandStop->isEnabled())
        IdleExit = 1;
    CommandExit_Click();
}

void FormKelpa::MenuAutoSequenz_Click()
{
    if (MenuEntry("MenuClearStatus")->isEnabled())
        MenuClearStatus_Click();
    MenuClearProtocol_Click();
    FormOptions& options = FormOptions::Instance();
    options.AutoDir();
    options.TextOnlySite->clear();
    options.OnlysiteDirs();
    CommandStart_Click();
}

// Each open child window takes its place below the transfer window; where
// several do, each later one stands one title bar lower and as much
// shorter, in front of the one before, so that every title bar shows: the
// preview, the list editor, the options window in front.
void FormKelpa::MenuAlign_Click()
{
    FormHTTP& http = FormHTTP::Instance();
    if (http.WindowState() == 2)
        http.SetWindowState(0);
    QList<platform::Form*> placed;
    if (PreviewOpen == 1) {
        FormPreview::Instance().AlignForm();
        placed.append(&FormPreview::Instance());
    } else if (PreviewTopOpen == 1) {
        FormPreviewTop::Instance().AlignForm();
    }
    if (EditOpen == 1) {
        FormEdit::Instance().AlignForm();
        placed.append(&FormEdit::Instance());
    }
    if (OptionsOpen == 1) {
        FormOptions::Instance().AlignForm();
        placed.append(&FormOptions::Instance());
    }
    for (qsizetype i = 0; i < placed.size(); ++i) {
        platform::Form& window = *placed.at(i);
        const int titleBar = window.mapToGlobal(QPoint()).y() - window.ScreenRect().top();
        const double step = double(i) * platform::ToTwips(titleBar);
        window.MoveTo(window.Left(), window.Top() + step, window.Width(), window.Height() - step);
        window.Show();
        window.Activate();
    }
    MenuHTTP_Click();
    http.SetWindowState(2);
    http.SetWindowState(0);
}

void FormKelpa::MenuMemo_Click()
{
    FormMemo::Instance().Show();
}

void FormKelpa::MenuInfo_Click()
{
    FormInfo::Instance().Show();
}

void FormKelpa::MenuLicense_Click()
{
    const QString document = platform::FromLinuxPath(QCoreApplication::applicationDirPath()) +
                             QStringLiteral("\\") + LanguageText[260];
    ApiResult = platform::ShellExecuteA(document);
    if (ApiResult == platform::SE_ERR_FNF) {
        MessageText = LanguageText[260] + QStringLiteral(": ") + LanguageText[150];
        platform::MsgBox(MessageText, platform::vbCritical, QStringLiteral("Kelpa"));
    }
}

void FormKelpa::MenuWebPage_Click()
{
    ApiResult = platform::ShellExecuteA(ProductPage);
    if (ApiResult == platform::SE_ERR_FNF || ApiResult == platform::SE_ERR_NOASSOC) {
        MessageText = LanguageText[182];
        platform::MsgBox(MessageText, platform::vbExclamation, QStringLiteral("Kelpa"));
    }
}

void FormKelpa::ListLogging_DblClick()
{
    const QString log = QStringLiteral("KELPA.LOG");
    if (platform::FileLen(log) > 0)
        ApiResult = platform::OpenInTextEditor(log) ? platform::SE_STARTED : platform::SE_ERR_FNF;
}

void FormKelpa::PictureFunctions_KeyPress(int keyAscii)
{
    if (keyAscii == 13 && CommandStart->isEnabled())
        CommandStart_Click();
}

void FormKelpa::PictureButtons_MouseDown(Qt::MouseButton button, double x, double y)
{
    if (button != Qt::RightButton)
        return;
    platform::DoEvents();
    PopupLeft = float(Left() + x - 90);
    PopupTop = float(Top() + y + 500);
    platform::DoEvents();
    FormKontext::Instance().PopUp();
}

void FormKelpa::PictureFunctions_MouseDown(Qt::MouseButton button, double x, double y)
{
    PictureButtons_MouseDown(button, x, y + platform::Place(PictureFunctions).Top);
}

void FormKelpa::MDIForm_OLEDragDrop(const QString& path)
{
    if (Running != 0)
        return;
    const QString upper = path.toUpper();
    if (upper.endsWith(QStringLiteral(".TSK"))) {
        TaskFile = path;
        TaskLaden();
    } else if (upper.endsWith(QStringLiteral(".INP"))) {
        InputFile = path;
        InputFileLaden();
    }
}

void FormKelpa::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void FormKelpa::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return;
    event->acceptProposedAction();
    const QString path = platform::FromLinuxPath(urls.first().toLocalFile());
    platform::runGuarded([this, &path] { MDIForm_OLEDragDrop(path); });
}

// Mouse presses on the two panels, Enter on the functions panel, and the
// window's own activation, which closes the pop-up window.
bool FormKelpa::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == this && event->type() == QEvent::WindowActivate) {
        platform::runGuarded([] {
            if (FormKontext::Instance().Loaded())
                FormKontext::Instance().Unload();
        });
    } else if (event->type() == QEvent::MouseButtonPress &&
               (watched == PictureButtons || watched == PictureFunctions)) {
        const auto* press = static_cast<QMouseEvent*>(event);
        const double x = platform::ToTwips(int(press->position().x()));
        const double y = platform::ToTwips(int(press->position().y()));
        if (watched == PictureButtons)
            platform::runGuarded([&] { PictureButtons_MouseDown(press->button(), x, y); });
        else
            platform::runGuarded([&] { PictureFunctions_MouseDown(press->button(), x, y); });
    } else if (event->type() == QEvent::KeyPress && watched == PictureFunctions) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            platform::runGuarded([this] { PictureFunctions_KeyPress(13); });
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
