// The options window's number boxes, switches, site lists, background, icon
// and title: each edit written to its settings variable at once.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/convert/Convert.h"
#include "platform/forms/Pictures.h"
#include "settings/FormOptions.h"
#include "settings/FormOptionsDetail.h"
#include "settings/FormProfessional.h"
#include "settings/NumberRule.h"
#include "settings/SiteWords.h"
#include "settings/StoredText.h"
#include "tools/FormChoose.h"
#include "transfer/FormHTTP.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>

using namespace KELPA;

namespace {

int16_t Switch(const QCheckBox* box)
{
    return box->checkState() == Qt::Checked ? 1 : 0;
}

// The colour of the transfer window's picture box: the application
// workspace's until a backdrop colour was chosen.
QColor PictureHTTPColour()
{
    const QLabel* picture = FormHTTP::Instance().PictureHTTP;
    if (picture->autoFillBackground())
        return picture->palette().color(QPalette::Window);
    return FormKelpa::Instance().MdiArea()->palette().color(QPalette::Dark);
}

void SetPictureHTTPColour(const QColor& colour)
{
    QLabel* picture = FormHTTP::Instance().PictureHTTP;
    QPalette palette = picture->palette();
    palette.setColor(QPalette::Window, colour);
    picture->setPalette(palette);
    picture->setAutoFillBackground(true);
}

// Shows the chooser for filter and title; the chosen path, or "" when cancelled.
QString Choose(const QString& filter, const QString& title)
{
    ChooseFilter = filter;
    ChooseTitle = title;
    FormChoose::Instance().Show(true);
    const QString chosen = ChosenPath;
    ChosenPath.clear();
    return chosen;
}

} // namespace

namespace optionsdetail {

bool CleanBox(QLineEdit* box)
{
    const QString stored = StoredText(box->text());
    if (stored == box->text())
        return false;
    box->setText(stored);
    return true;
}

} // namespace optionsdetail

using optionsdetail::CleanBox;

// --- number boxes --------------------------------------------------------------

void FormOptions::NumberChange(QLineEdit* box)
{
    const QString text = box->text();
    if (box == TextTimeout) {
        if (!settings::StoreBoxNumber(text, Timeout))
            Timeout = 120;
    } else if (box == TextDepth) {
        settings::StoreBoxNumber(text, Depth);
    } else if (box == TextMinFileSize) {
        settings::StoreBoxNumber(text, MinFileSize);
    } else if (box == TextMaxFileSize) {
        settings::StoreBoxNumber(text, MaxFileSize);
    } else {
        settings::StoreBoxNumber(text, MaxkBytes);
    }
    FormKelpa::Instance().INITest();
}

void FormOptions::NumberLeave(QLineEdit* box)
{
    const bool empty = box->text().isEmpty();
    int64_t value = 0;
    if (box == TextTimeout)
        value = empty ? (Timeout = 0) : Timeout;
    else if (box == TextDepth)
        value = empty ? (Depth = 0) : Depth;
    else if (box == TextMinFileSize)
        value = empty ? (MinFileSize = 0) : MinFileSize;
    else if (box == TextMaxFileSize)
        value = empty ? (MaxFileSize = 0) : MaxFileSize;
    else
        value = empty ? (MaxkBytes = 0) : MaxkBytes;
    box->setText(QString::number(value));
}

void FormOptions::TextTimeout_Change()
{
    NumberChange(TextTimeout);
}
void FormOptions::TextDepth_Change()
{
    NumberChange(TextDepth);
}
void FormOptions::TextMinFileSize_Change()
{
    NumberChange(TextMinFileSize);
}
void FormOptions::TextMaxFileSize_Change()
{
    NumberChange(TextMaxFileSize);
}
void FormOptions::TextMaxkBytes_Change()
{
    NumberChange(TextMaxkBytes);
}
void FormOptions::TextTimeout_LostFocus()
{
    NumberLeave(TextTimeout);
}
void FormOptions::TextDepth_LostFocus()
{
    NumberLeave(TextDepth);
}
void FormOptions::TextMinFileSize_LostFocus()
{
    NumberLeave(TextMinFileSize);
}
void FormOptions::TextMaxFileSize_LostFocus()
{
    NumberLeave(TextMaxFileSize);
}
void FormOptions::TextMaxkBytes_LostFocus()
{
    NumberLeave(TextMaxkBytes);
}

// --- switches ----------------------------------------------------------------------

void FormOptions::CheckImages_Click()
{
    Images = Switch(CheckImages);
}
void FormOptions::CheckJavaApplets_Click()
{
    JavaApplets = Switch(CheckJavaApplets);
}
void FormOptions::CheckMetaRefresh_Click()
{
    AcceptMetaRefresh = Switch(CheckMetaRefresh);
}
void FormOptions::CheckRelocation_Click()
{
    AcceptRelocation = Switch(CheckRelocation);
}
void FormOptions::CheckEmailAddresses_Click()
{
    eMailAddresses = Switch(CheckEmailAddresses);
}
void FormOptions::CheckSaveHTML_Click()
{
    SaveHTML = Switch(CheckSaveHTML);
}
void FormOptions::CheckSubDirectories_Click()
{
    SubDirectories = Switch(CheckSubDirectories);
}

void FormOptions::CheckLocalBrowsing_Click()
{
    LocalBrowsing = Switch(CheckLocalBrowsing);
    if (LocalBrowsing == 1) {
        CheckSaveHTML->setCheckState(Qt::Checked);
        CheckSaveHTML->setEnabled(false);
    } else {
        CheckSaveHTML->setEnabled(true);
        CheckSaveHTML->setCheckState(Qt::Unchecked);
    }
}

void FormOptions::CheckRestHome_Click()
{
    RestHome = Switch(CheckRestHome);
    if (RestHome == 1) {
        TextRestHome->show();
        // The next run collects its start pages anew; a running one keeps
        // the hosts it has.
        if (!keepRun_)
            HomePrefix.clear();
    } else {
        TextRestHome->clear();
        TextRestHome->hide();
    }
}

void FormOptions::CheckLongFileNames_Click()
{
    const bool shortNames = Switch(CheckLongFileNames) == 1;
    if (shortNames && LongFilenames == 1) {
        LongFilenames = 0;
        CheckSubDirectories->setCheckState(Qt::Unchecked);
        CheckSubDirectories->setEnabled(false);
    } else if (!shortNames && LongFilenames == 0) {
        LongFilenames = 1;
        CheckSubDirectories->setEnabled(true);
    } else {
        return;
    }
    // The target name follows the naming rule; a running transfer keeps the
    // names it was given.
    if (Running == 1)
        return;
    FormHTTP& http = FormHTTP::Instance();
    http.Text2->clear();
    http.Text2_Click();
}

// --- site lists ----------------------------------------------------------------------

void FormOptions::TextNoSite_Change()
{
    if (CleanBox(TextNoSite))
        return;
    NoSite = platform::Trim(TextNoSite->text());
}

void FormOptions::TextOnlySite_Change()
{
    if (CleanBox(TextOnlySite))
        return;
    OnlySite = platform::Trim(TextOnlySite->text());
    if (!keepRun_)
        OnlySiteRun = OnlySite + HomePrefix;
}

void FormOptions::RemoveHttpPrefixes(QLineEdit* box)
{
    if (settings::HoldsHttpPrefix(box->text()))
        box->setText(settings::WithoutHttpPrefixes(box->text()));
}

void FormOptions::TextNoSite_LostFocus()
{
    RemoveHttpPrefixes(TextNoSite);
}
void FormOptions::TextOnlySite_LostFocus()
{
    RemoveHttpPrefixes(TextOnlySite);
}
void FormOptions::CommandDel1_Click()
{
    TextOnlySite->clear();
}
void FormOptions::CommandDel2_Click()
{
    TextNoSite->clear();
}

// --- background, icon and title ----------------------------------------------------

void FormOptions::TextPicture_Change()
{
    if (CleanBox(TextPicture))
        return;
    QMdiArea* backdrop = FormKelpa::Instance().MdiArea();
    QLabel* picture = FormHTTP::Instance().PictureHTTP;
    backdrop->setBackground(PictureHTTPColour());
    picture->setPixmap(QPixmap());
    Background = platform::Trim(TextPicture->text());
    if (!Background.startsWith(QLatin1Char('%'))) {
        // Only a regular file is read: a partly typed path may name a FIFO.
        const QPixmap loaded = platform::LoadPicture(Background);
        if (!loaded.isNull()) {
            backdrop->setBackground(loaded);
            picture->setPixmap(loaded);
        }
        return;
    }
    const QLabel* swatch = nullptr;
    if (Background == QLatin1String("%white%"))
        swatch = PictureWhite;
    else if (Background == QLatin1String("%black%"))
        swatch = PictureBlack;
    if (swatch == nullptr)
        return;
    const QColor colour = swatch->palette().color(QPalette::Window);
    backdrop->setBackground(colour);
    SetPictureHTTPColour(colour);
}

void FormOptions::PictureBlack_Click()
{
    TextPicture->setText(QStringLiteral("%black%"));
}
void FormOptions::PictureWhite_Click()
{
    TextPicture->setText(QStringLiteral("%white%"));
}

void FormOptions::CommandChoosePicture_Click()
{
    const QString chosen =
        Choose(QStringLiteral("*.bmp;*.gif;*.jpg;*.png;*.wmf"), LanguageText[413]);
    if (!chosen.isEmpty())
        TextPicture->setText(chosen);
}

void FormOptions::CommandChooseIcon_Click()
{
    const QString chosen = Choose(QStringLiteral("*.ico;*.png"), LanguageText[414]);
    if (!chosen.isEmpty())
        TextUserIcon->setText(chosen);
}

void FormOptions::TextUserIcon_Change()
{
    if (CleanBox(TextUserIcon))
        return;
    UserIcon = platform::Trim(TextUserIcon->text());
}

void FormOptions::TextUserTitle_Change()
{
    if (CleanBox(TextUserTitle))
        return;
    UserTitle = platform::Trim(TextUserTitle->text());
}

void FormOptions::TextUserTitle_LostFocus()
{
    TextUserTitle->setText(platform::Trim(TextUserTitle->text()));
}

void FormOptions::CommandProfessionalOptions_Click()
{
    FormProfessional::Instance().Show(true);
}
