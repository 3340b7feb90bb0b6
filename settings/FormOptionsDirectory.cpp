// The download directory box and its buttons, and "Dirs", which fills the
// only-list from the start URL and the input list.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"
#include "platform/msgbox/MsgBox.h"
#include "platform/pump/Pump.h"
#include "preview/FormPreview.h"
#include "settings/DirectoryRules.h"
#include "settings/FormOptions.h"
#include "settings/FormOptionsDetail.h"
#include "settings/SiteWords.h"
#include "tools/FormChoose.h"
#include "transfer/FormHTTP.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>

using namespace KELPA;

namespace {

// The only-list as "Dirs" builds it (settings::SiteListText), written to its
// box only when the user may look (a question, a few times a second, the
// end), so that N entries cost about N. A box the user edited meanwhile is
// the base again, with the entries added since.
class OnlyListBuilder {
public:
    explicit OnlyListBuilder(QLineEdit* box) : box_(box), written_(box->text()), list_(written_) {}

    bool Listed(const QString& entry) { return list_.Listed(entry); }
    void Add(const QString& entry)
    {
        list_.Add(entry);
        sinceFlush_.append(entry);
    }
    void Flush()
    {
        if (box_->text() != written_) {
            written_ = box_->text();
            list_ = settings::SiteListText(written_);
            for (const QString& entry : std::as_const(sinceFlush_))
                list_.Add(entry);
        }
        if (box_->text() != list_.Text())
            box_->setText(list_.Text());
        written_ = box_->text();
        sinceFlush_.clear();
    }

private:
    QLineEdit* box_;
    QString written_;
    settings::SiteListText list_;
    QStringList sinceFlush_;
};

// Adds the entry of one URL unless listed; a host asks first. False when the
// user answered Cancel.
bool AddOnlySiteEntry(OnlyListBuilder& list, const QString& url)
{
    const QString u = platform::Trim(url);
    settings::SiteEntry site = settings::OnlySiteEntry(u);
    if (!site.directory && !site.entry.isEmpty() && !list.Listed(site.entry)) {
        list.Flush();
        CallResult = platform::MsgBox(u + LanguageText[418] + site.entry + LanguageText[419],
                                      platform::vbYesNoCancel | platform::vbQuestion,
                                      QStringLiteral("Kelpa"));
        if (CallResult == platform::vbCancel)
            return false;
        if (CallResult == platform::vbNo)
            site.entry.clear();
    }
    if (!list.Listed(site.entry) && !site.entry.isEmpty())
        list.Add(site.entry);
    return true;
}

// The open preview window (FormPreview before FormPreviewTop) lists the
// directory d and counts its files in its caption; a directory that does not
// exist leaves the list hidden and the picture cleared. No message.
void ShowInPreview(const QString& d)
{
    PreviewWindow* preview = nullptr;
    if (PreviewOpen == 1)
        preview = &FormPreview::Instance();
    else if (PreviewTopOpen == 1)
        preview = &FormPreviewTop::Instance();
    if (preview == nullptr)
        return;
    if (preview->PointListAt(d) != 0) {
        preview->DateiListe_Click();
        preview->ShowFileList(false);
        return;
    }
    preview->RefreshFileListNow();
    preview->SetCaption(preview->ListCaption());
    preview->ShowFileList(true);
    preview->SelectFile(0);
}

} // namespace

void FormOptions::TextDirectory_Change()
{
    if (optionsdetail::CleanBox(TextDirectory))
        return;
    Directory = TextDirectory->text();
}

void FormOptions::TextDirectory_LostFocus()
{
    NeuesVerzeichnis();
}

void FormOptions::CommandAuto_Click()
{
    AutoDir();
}

void FormOptions::CommandDirs_Click()
{
    OnlysiteDirs();
}

void FormOptions::DirCheck()
{
    DirectoryInvalid = 0;
    const QString text = TextDirectory->text();
    if (text.startsWith(QLatin1Char('/')) && text != QLatin1String("/"))
        TextDirectory->setText(platform::FromLinuxPath(text));
    if (settings::DirectoryNameRefused(TextDirectory->text())) {
        DirectoryInvalid = 1;
        platform::MsgBox(LanguageText[417], platform::vbCritical, QStringLiteral("Kelpa"));
        TextDirectory->clear();
    }
    if (TextDirectory->text().isEmpty() && settings::StandardDirectorySet(StandardDirectory))
        TextDirectory->setText(StandardDirectory);
}

void FormOptions::AutoDir()
{
    TextDirectory->setText(settings::AutoDirectory(FormHTTP::Instance().Text1->text(),
                                                   TextDirectory->text(), StandardDirectory,
                                                   platform::CurDir()));
    DirCheck();
}

void FormOptions::NeuesVerzeichnis()
{
    DirCheck();
    const QString d = settings::AbsoluteDirectory(TextDirectory->text(), platform::CurDir());
    ShowInPreview(d);
    TextDirectory->setText(d);
}

void FormOptions::CommandChooseDirectory_Click()
{
    ChooseFilter.clear();
    ChooseTitle = LanguageText[412];
    FormChoose& chooser = FormChoose::Instance();
    chooser.CommandStandard->setVisible(true);
    chooser.Show(true);
    if (ChosenPath.isEmpty())
        return;
    TextDirectory->setText(ChosenPath);
    ChosenPath.clear();
    Directory = TextDirectory->text();
    NeuesVerzeichnis();
}

void FormOptions::OnlysiteDirs()
{
    if (walkingList_)
        return;
    walkingList_ = true;
    const QScopeGuard done([this] { walkingList_ = false; });
    OnlyListBuilder list(TextOnlySite);
    bool going = AddOnlySiteEntry(list, FormHTTP::Instance().Text1->text());
    if (going && FormKelpa::Instance().CheckListe->checkState() == Qt::Checked) {
        // A number of its own: a run that a timer starts meanwhile takes
        // ListFileNumber for its list.
        const int number = platform::FreeFile();
        if (platform::Open(ListFile, platform::OpenMode::Input, number) == 0) {
            const QScopeGuard close([number] { platform::Close(number); });
            // The box shows the list as it grows, a few times a second: each
            // showing lays the whole line out anew.
            QElapsedTimer shown;
            shown.start();
            QString url, name;
            platform::LineInput(number, url);
            platform::LineInput(number, name);
            for (int record = 1; going && !platform::Eof(number) && AbortTransfer != 1; ++record) {
                platform::LineInput(number, url);
                platform::LineInput(number, name);
                if (!platform::Trim(url).isEmpty())
                    going = AddOnlySiteEntry(list, url);
                if (shown.hasExpired(250)) {
                    list.Flush();
                    shown.restart();
                }
                platform::DoEvents();
            }
        }
    }
    list.Flush();
}
