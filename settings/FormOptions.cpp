#include "settings/FormOptions.h"

#include "main/Kelpa.h"
#include "platform/forms/Clicks.h"
#include "platform/forms/Handlers.h"
#include "platform/forms/LostFocus.h"
#include "platform/forms/Twips.h"
#include "settings/FamilyCheckBox.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <type_traits>

using platform::Control;
using platform::Move;

namespace {

// A control of type T named name, placed at r, with text as its caption
// (a frame's title) unless it is a text box.
template <typename T>
T* Captioned(QWidget* parent, const char* name, const platform::TwipsRect& r, const char* text = "")
{
    auto* control = platform::Placed<T>(parent, name, r);
    if constexpr (std::is_same_v<T, QGroupBox>)
        control->setTitle(QLatin1String(text));
    else if constexpr (!std::is_same_v<T, QLineEdit>)
        control->setText(QLatin1String(text));
    return control;
}

using Rect = platform::TwipsRect;
QLabel* Label(QWidget* p, const char* n, const Rect& r, const char* t = "")
{
    return Captioned<QLabel>(p, n, r, t);
}
QLineEdit* Box(QWidget* p, const char* n, const Rect& r)
{
    return Captioned<QLineEdit>(p, n, r);
}
QPushButton* Button(QWidget* p, const char* n, const Rect& r, const char* t)
{
    return Captioned<QPushButton>(p, n, r, t);
}
QCheckBox* Check(QWidget* p, const char* n, const Rect& r, const char* t = "")
{
    return Captioned<QCheckBox>(p, n, r, t);
}
QGroupBox* GroupFrame(QWidget* p, const char* n, const Rect& r)
{
    return Captioned<QGroupBox>(p, n, r);
}

QLabel* Swatch(QWidget* parent, const char* name, double left, const QColor& colour)
{
    auto* swatch = Label(parent, name, {left, 360, 135, 225});
    swatch->setAutoFillBackground(true);
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, colour);
    swatch->setPalette(palette);
    swatch->setFrameShape(QFrame::Box);
    return swatch;
}

// Characters a site list holds at most: the text box's usual limit would cut
// a long list short.
constexpr int SiteListLength = 1 << 24;

} // namespace

FormOptions& FormOptions::Instance()
{
    static FormOptions* instance = platform::Built(new FormOptions);
    return *instance;
}

FormOptions::FormOptions() : Form(Kind::MdiChild, "FormOptions")
{
    TrackOpenFlag(KELPA::OptionsOpen);
    // The window's design is dense: its texts are set in a small font.
    QFont small = font();
    small.setPointSizeF(OptionsFontPoints);
    setFont(small);
    setupControls();
    wireControls();
    MoveTo(0, 1300, 8715, 4330);
}

// The design at the minimum size (8715 x 3850 twips); Form_Resize moves what
// follows the window's size. Left column: directory, background, icon and
// title rows, then the three site and type frames; right column: the
// limits, the two switch frames and the "professional >>" button.
void FormOptions::setupControls()
{
    setupLeftColumn();
    setupRightColumn();
}

void FormOptions::setupLeftColumn()
{
    Label5 = Label(this, "Label5", {60, 60, 1770, 225});
    TextDirectory = Box(this, "TextDirectory", {1845, 30, 2010, 285});
    CommandAuto = Button(this, "CommandAuto", {3870, 30, 495, 285}, "Auto");
    CommandChooseDirectory = Button(this, "CommandChooseDirectory", {4380, 30, 255, 285}, "?");
    CommandAuto->setEnabled(false);

    Label1 = Label(this, "Label1", {60, 360, 1455, 225});
    TextPicture = Box(this, "TextPicture", {1530, 330, 2535, 285});
    PictureWhite = Swatch(this, "PictureWhite", 4080, QColor(255, 255, 255));
    PictureBlack = Swatch(this, "PictureBlack", 4230, QColor(0, 0, 0));
    CommandChoosePicture = Button(this, "CommandChoosePicture", {4380, 330, 255, 285}, "?");

    Label10 = Label(this, "Label10", {60, 660, 1755, 225});
    TextUserIcon = Box(this, "TextUserIcon", {1830, 630, 2535, 285});
    CommandChooseIcon = Button(this, "CommandChooseIcon", {4380, 630, 255, 285}, "?");

    Label7 = Label(this, "Label7", {60, 960, 1785, 225});
    TextUserTitle = Box(this, "TextUserTitle", {1860, 930, 2775, 285});

    Frame4 = GroupFrame(this, "Frame4", {60, 1230, 4575, 765});
    TextOnlySite = Box(Frame4, "TextOnlySite", {90, 180, 3615, 285});
    CommandDirs = Button(Frame4, "CommandDirs", {3720, 180, 465, 285}, "");
    CommandDel1 = Button(Frame4, "CommandDel1", {4200, 180, 255, 285}, "X");
    CheckRestHome = Check(Frame4, "CheckRestHome", {90, 510, 1950, 210});
    TextRestHome = Box(Frame4, "TextRestHome", {2040, 480, 2415, 240});
    TextRestHome->setReadOnly(true);
    TextRestHome->hide();
    CommandDirs->setEnabled(false);
    // The only-list may grow long ("Dirs" over a long input list).
    TextOnlySite->setMaxLength(SiteListLength);

    Frame5 = GroupFrame(this, "Frame5", {60, 2010, 4575, 465});
    TextNoSite = Box(Frame5, "TextNoSite", {90, 180, 4095, 255});
    TextNoSite->setMaxLength(SiteListLength);
    CommandDel2 = Button(Frame5, "CommandDel2", {4200, 180, 255, 255}, "X");

    Frame2 = GroupFrame(this, "Frame2", {60, 2490, 4575, 915});
    TextExclude = Box(Frame2, "TextExclude", {90, 180, 4095, 270});
    CommandDel3 = Button(Frame2, "CommandDel3", {4200, 180, 255, 270}, "X");
    const auto family = [this](const char* name, const char* caption, int column, double top) {
        auto* box = Control<settings::FamilyCheckBox>(Frame2, name);
        box->setText(QLatin1String(caption));
        Move(box, {90.0 + column * 870, top, column == 4 ? 960.0 : 855.0, 210});
        return box;
    };
    CheckCGI = family("CheckCGI", "CGI", 0, 480);
    CheckEXE = family("CheckEXE", "EXE", 1, 480);
    CheckJPG = family("CheckJPG", "JPEG", 2, 480);
    CheckTXT = family("CheckTXT", "TXT", 3, 480);
    CheckMovies = family("CheckMovies", "", 4, 480);
    CheckDLL = family("CheckDLL", "DLL", 0, 690);
    CheckGIF = family("CheckGIF", "GIF", 1, 690);
    CheckMAP = family("CheckMAP", "MAP", 2, 690);
    CheckZIP = family("CheckZIP", "ZIP", 3, 690);
    CheckSounds = family("CheckSounds", "", 4, 690);
}

void FormOptions::setupRightColumn()
{
    Frame1 = GroupFrame(this, "Frame1", {4740, -60, 3780, 1755});
    const auto label = [this](const char* name, double top) {
        return Label(Frame1, name, {90, top + 30, 2835, 225});
    };
    const auto box = [this](const char* name, double top) {
        return Box(Frame1, name, {2940, top, 510, 285});
    };
    Label11 = label("Label11", 180);
    TextTimeout = box("TextTimeout", 180);
    Label4 = label("Label4", 480);
    TextDepth = box("TextDepth", 480);
    Label2 = label("Label2", 780);
    TextMinFileSize = box("TextMinFileSize", 780);
    Label3 = label("Label3", 1080);
    TextMaxFileSize = box("TextMaxFileSize", 1080);
    Label12 = label("Label12", 1380);
    TextMaxkBytes = box("TextMaxkBytes", 1380);
    Label6 = Label(Frame1, "Label6", {3465, 210, 300, 225}, "sec");
    Label8 = Label(Frame1, "Label8", {3465, 810, 300, 225}, "kB");
    Label9 = Label(Frame1, "Label9", {3465, 1110, 300, 225}, "kB");
    Label13 = Label(Frame1, "Label13", {3465, 1410, 300, 225}, "kB");

    Frame3 = GroupFrame(this, "Frame3", {4740, 1710, 1965, 1695});
    Frame3->setTitle(QStringLiteral("Download"));
    CheckImages = Check(Frame3, "CheckImages", {90, 300, 1845, 225});
    CheckJavaApplets = Check(Frame3, "CheckJavaApplets", {90, 570, 1845, 225}, "Java Applets");
    CheckMetaRefresh = Check(Frame3, "CheckMetaRefresh", {90, 840, 1845, 225}, "Meta Refreshes");
    CheckRelocation = Check(Frame3, "CheckRelocation", {90, 1110, 1845, 225});
    CheckEmailAddresses = Check(Frame3, "CheckEmailAddresses", {90, 1380, 1845, 225});

    FrameHTML = GroupFrame(this, "FrameHTML", {6720, 1710, 1845, 1335});
    CheckLocalBrowsing = Check(FrameHTML, "CheckLocalBrowsing", {90, 240, 1725, 225});
    CheckSaveHTML = Check(FrameHTML, "CheckSaveHTML", {90, 510, 1725, 225});
    CheckLongFileNames = Check(FrameHTML, "CheckLongFileNames", {90, 780, 1725, 225});
    CheckSubDirectories = Check(FrameHTML, "CheckSubDirectories", {90, 1050, 1725, 225});

    CommandProfessionalOptions =
        Button(this, "CommandProfessionalOptions", {6840, 3090, 1575, 315}, "");
}

void FormOptions::wireControls()
{
    using platform::On;
    using platform::OnLostFocus;
    const auto change = [this](QLineEdit* box, void (FormOptions::*handler)()) {
        On(box, &QLineEdit::textChanged, this, handler);
    };
    const auto leave = [this](QLineEdit* box, void (FormOptions::*handler)()) {
        OnLostFocus(box, this, handler);
    };
    const auto click = [this](QCheckBox* box, void (FormOptions::*handler)()) {
        On(box, &QCheckBox::stateChanged, this, handler);
    };
    const auto press = [this](QPushButton* button, void (FormOptions::*handler)()) {
        On(button, &QPushButton::clicked, this, handler);
    };
    change(TextTimeout, &FormOptions::TextTimeout_Change);
    change(TextDepth, &FormOptions::TextDepth_Change);
    change(TextMinFileSize, &FormOptions::TextMinFileSize_Change);
    change(TextMaxFileSize, &FormOptions::TextMaxFileSize_Change);
    change(TextMaxkBytes, &FormOptions::TextMaxkBytes_Change);
    leave(TextTimeout, &FormOptions::TextTimeout_LostFocus);
    leave(TextDepth, &FormOptions::TextDepth_LostFocus);
    leave(TextMinFileSize, &FormOptions::TextMinFileSize_LostFocus);
    leave(TextMaxFileSize, &FormOptions::TextMaxFileSize_LostFocus);
    leave(TextMaxkBytes, &FormOptions::TextMaxkBytes_LostFocus);

    click(CheckImages, &FormOptions::CheckImages_Click);
    click(CheckJavaApplets, &FormOptions::CheckJavaApplets_Click);
    click(CheckMetaRefresh, &FormOptions::CheckMetaRefresh_Click);
    click(CheckRelocation, &FormOptions::CheckRelocation_Click);
    click(CheckEmailAddresses, &FormOptions::CheckEmailAddresses_Click);
    click(CheckSaveHTML, &FormOptions::CheckSaveHTML_Click);
    click(CheckSubDirectories, &FormOptions::CheckSubDirectories_Click);
    click(CheckLocalBrowsing, &FormOptions::CheckLocalBrowsing_Click);
    click(CheckLongFileNames, &FormOptions::CheckLongFileNames_Click);
    click(CheckRestHome, &FormOptions::CheckRestHome_Click);

    change(TextNoSite, &FormOptions::TextNoSite_Change);
    change(TextOnlySite, &FormOptions::TextOnlySite_Change);
    leave(TextNoSite, &FormOptions::TextNoSite_LostFocus);
    leave(TextOnlySite, &FormOptions::TextOnlySite_LostFocus);
    press(CommandDel1, &FormOptions::CommandDel1_Click);
    press(CommandDel2, &FormOptions::CommandDel2_Click);
    press(CommandDirs, &FormOptions::CommandDirs_Click);

    change(TextDirectory, &FormOptions::TextDirectory_Change);
    leave(TextDirectory, &FormOptions::TextDirectory_LostFocus);
    press(CommandAuto, &FormOptions::CommandAuto_Click);
    press(CommandChooseDirectory, &FormOptions::CommandChooseDirectory_Click);

    change(TextExclude, &FormOptions::TextExclude_Change);
    leave(TextExclude, &FormOptions::TextExclude_LostFocus);
    press(CommandDel3, &FormOptions::CommandDel3_Click);
    wireFamilies();

    change(TextPicture, &FormOptions::TextPicture_Change);
    platform::OnClicks(PictureBlack, this, &FormOptions::PictureBlack_Click, nullptr);
    platform::OnClicks(PictureWhite, this, &FormOptions::PictureWhite_Click, nullptr);
    press(CommandChoosePicture, &FormOptions::CommandChoosePicture_Click);
    press(CommandChooseIcon, &FormOptions::CommandChooseIcon_Click);
    change(TextUserIcon, &FormOptions::TextUserIcon_Change);
    change(TextUserTitle, &FormOptions::TextUserTitle_Change);
    leave(TextUserTitle, &FormOptions::TextUserTitle_LostFocus);
    press(CommandProfessionalOptions, &FormOptions::CommandProfessionalOptions_Click);
}

void FormOptions::wireFamilies()
{
    for (QCheckBox* box : {CheckCGI, CheckDLL, CheckEXE, CheckGIF, CheckJPG, CheckMAP, CheckTXT,
                           CheckZIP, CheckMovies, CheckSounds})
        connect(box, &QCheckBox::stateChanged, this,
                [this, box] { platform::runGuarded([this, box] { FamilyClick(box); }); });
}
