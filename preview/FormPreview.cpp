#include "preview/FormPreview.h"

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/Settings.h"
#include "platform/forms/Clicks.h"
#include "platform/forms/Handlers.h"
#include "platform/forms/Twips.h"
#include "platform/shell/Desktop.h"
#include "preview/DirectoryList.h"
#include "preview/FileList.h"
#include "preview/PictureBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>

#include <algorithm>

using platform::TwipsRect;

namespace {

constexpr int KeyF6 = 117;
constexpr int KeyF12 = 123;
constexpr int KeyEnter = 13;
constexpr int KeyDelete = 46;

// The program's key code of a Qt key (the keys the windows handle).
int KeyCode(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_F6:
        return KeyF6;
    case Qt::Key_F12:
        return KeyF12;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return KeyEnter;
    case Qt::Key_Delete:
        return KeyDelete;
    default:
        return 0;
    }
}

} // namespace

PreviewWindow::PreviewWindow(Kind kind, const char* name, int16_t& openFlag, QString& position)
    : Form(kind, name), position_(position)
{
    TrackOpenFlag(openFlag);
    setupControls();
    wireControls();
    pendingPreview_.setSingleShot(true);
    pendingPreview_.setTimerType(Qt::PreciseTimer);
    connect(&pendingPreview_, &QTimer::timeout, this, [this] {
        platform::runGuarded([this] {
            if (!Loaded())
                return;
            if (preview::AutomaticPreviewDue()) {
                // The file that ended, never the next one still on its way
                // (a file takes its name only once whole).
                if (!finishedFile_.isEmpty())
                    KELPA::PreviewFile = finishedFile_;
                Preview();
            } else
                pendingPreview_.start(int(preview::AutomaticPreviewWait()) + 1);
        });
    });
    pendingRefresh_.setSingleShot(true);
    pendingRefresh_.setTimerType(Qt::PreciseTimer);
    connect(&pendingRefresh_, &QTimer::timeout, this, [this] {
        platform::runGuarded([this] {
            if (!Loaded())
                return;
            RefreshFileListNow();
            UpdateListCaption();
        });
    });
    // While idle, what other programs change in the listed folder is read
    // once a burst of changes has had a moment (a run reads the folder
    // itself, paced).
    connect(&folderWatch_, &QFileSystemWatcher::directoryChanged, this, [this] {
        if (KELPA::Running != 1 && !pendingRefresh_.isActive())
            pendingRefresh_.start(250);
    });
}

void PreviewWindow::setupControls()
{
    // Later siblings lie above earlier ones: the lists cover the picture.
    ImagePreview = platform::Control<PictureBox>(this, "ImagePreview");
    ListNoPreview = platform::Control<QListWidget>(this, "ListNoPreview");
    ListPreview = platform::Control<QListWidget>(this, "ListPreview");
    ListPreview->setUniformItemSizes(true);
    ListPreview->hide();
    DateiListe = platform::Control<FileList>(this, "DateiListe");
    Frame1 = platform::Control<QFrame>(this, "Frame1");
    Frame1->setAutoFillBackground(true); // the picture never shows through the label
    LabelInfo = platform::Control<QLabel>(Frame1, "LabelInfo");
    Check100 = platform::Control<QCheckBox>(Frame1, "Check100");
    Check100->setText(QStringLiteral("100%"));
    CheckOnClick = platform::Control<QCheckBox>(Frame1, "CheckOnClick");
    CheckOnClick->setText(QStringLiteral("OnClick"));
    CheckOnClick->setChecked(true);

    // Inside the frame the places never change: the label on the first row,
    // the two boxes below it, each at least as large as its caption needs.
    // The label holds the widest line it can be given whole: a zoom or an
    // error with a size of ten digits.
    const QFontMetrics metrics(LabelInfo->font());
    int labelWidth = platform::ToPixels(1875);
    for (const QString& widest :
         {QStringLiteral(" 99% (2147483647 Bytes)"), QStringLiteral("Error! ( 2147483647 Bytes)")})
        labelWidth = qMax(labelWidth, metrics.horizontalAdvance(widest) + 2);
    const int labelHeight = qMax(platform::ToPixels(255), LabelInfo->sizeHint().height());
    const int boxTop = qMax(platform::ToPixels(300), labelHeight + 2);
    const QSize hundred = Check100->sizeHint();
    const QSize onClick = CheckOnClick->sizeHint();
    const int left = platform::ToPixels(30);
    LabelInfo->setGeometry(left, 0, labelWidth, labelHeight);
    Check100->setGeometry(left, boxTop, qMax(platform::ToPixels(705), hundred.width()),
                          qMax(platform::ToPixels(195), hundred.height()));
    const int onClickLeft = qMax(platform::ToPixels(1050), Check100->geometry().right() + 8);
    CheckOnClick->setGeometry(onClickLeft, boxTop, qMax(platform::ToPixels(885), onClick.width()),
                              qMax(platform::ToPixels(195), onClick.height()));
    Frame1->resize(std::max({platform::ToPixels(1995), CheckOnClick->geometry().right() + 4,
                             LabelInfo->geometry().right() + 2}),
                   qMax(platform::ToPixels(585), CheckOnClick->geometry().bottom() + 2));
    DateiListe->installEventFilter(this);
    ListPreview->installEventFilter(this);
    Check100->installEventFilter(this);
    CheckOnClick->installEventFilter(this);
}

void PreviewWindow::wireControls()
{
    platform::On(DateiListe, &FileList::Click, this, &PreviewWindow::DateiListe_Click);
    connect(DateiListe, &QAbstractItemView::doubleClicked, this,
            [this] { platform::runGuarded([this] { DateiListe_DblClick(); }); });
    platform::OnClicks(ImagePreview, this, &PreviewWindow::ImagePreview_Click,
                       &PreviewWindow::ImagePreview_DblClick);
    platform::OnClicks(ListPreview->viewport(), this, &PreviewWindow::ListPreview_Click, nullptr);
    platform::OnClicks(this, this, &PreviewWindow::Form_Click, nullptr);
    platform::On(Check100, &QCheckBox::stateChanged, this, &PreviewWindow::Check100_Click);
}

void PreviewWindow::FillHelpList()
{
    const auto& text = KELPA::LanguageText;
    ListNoPreview->clear();
    ListNoPreview->addItems({QString(), text[459], text[468], text[469]});
}

void PreviewWindow::Form_Load()
{
    using namespace KELPA;
    PreviewLoading = 1;
    if (KELPA::WindowState == 0) {
        const preview::Rect now{Left(), Top(), Width(), Height()};
        const preview::Rect place =
            preview::StoredPlace(position_, platform::ScreenWidth(), platform::ScreenHeight(), now);
        MoveTo(place.left, place.top, place.width, place.height);
        position_ = inifile::PositionText(Left(), Width(), Top(), Height());
    } else {
        SetWindowState(KELPA::WindowState);
    }
    PreviewLoading = 0;
    Form_Resize();
    DateiListe->setToolTip(LanguageText[103]);
    if (PointListAt(Directory) != 0)
        DateiListe->hide();
    SetCaption(ListCaption());
    PreviewFile = LocalFileName;
    FillHelpList();
    if (Running == 0)
        SelectFile(0);
}

void PreviewWindow::Form_Unload()
{
    ++generation_; // a preview still on the stack ends at its next yield
    pendingRefresh_.stop();
    pendingPreview_.stop();
    WatchListedFolder(false);
    SetWaitCursor(false);
    KELPA::PreviewFile.clear();
    if (WindowState() == 0)
        position_ = inifile::PositionText(Left(), Width(), Top(), Height());
}

// The folder named is the download directory, as Directory spells it, or
// the folder the directory list moved to.
QString PreviewWindow::ListCaption() const
{
    const auto& text = KELPA::LanguageText;
    QString folder = KELPA::Directory;
    if (listMoved_) {
        folder = DateiListe->Path();
        if (!folder.endsWith(QLatin1Char('\\')))
            folder += QLatin1Char('\\');
    }
    return text[228] + QString::number(FileCount()) + text[229] + QStringLiteral(", ") + folder +
           QLatin1Char(')');
}

// The caption follows the list only while it shows the list (a user title
// on the window on top stays).
void PreviewWindow::UpdateListCaption()
{
    if (Caption().startsWith(KELPA::LanguageText[228]))
        SetCaption(ListCaption());
}

bool PreviewWindow::CommonKey(int keyCode)
{
    if (keyCode == KeyF12) {
        FormKelpa::Instance().MenuHide_Click();
        return true;
    }
    if (keyCode == KeyF6 && CurrentLayout() != preview::Layout::Child) {
        AlignForm();
        return true;
    }
    return false;
}

void PreviewWindow::keyPressEvent(QKeyEvent* event)
{
    bool taken = false;
    platform::runGuarded([&] { taken = CommonKey(KeyCode(event)); });
    if (!taken)
        Form::keyPressEvent(event);
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return Form::eventFilter(watched, event);
    const int code = KeyCode(static_cast<QKeyEvent*>(event));
    bool taken = false;
    platform::runGuarded([&] {
        if (watched == DateiListe && (code == KeyEnter || code == KeyDelete)) {
            DateiListe_KeyDown(code);
            taken = true;
        } else {
            taken = CommonKey(code);
        }
    });
    return taken || Form::eventFilter(watched, event);
}

// A click on the window, the picture or the text list during a run: with
// CheckOnClick ticked it shows the file being received, otherwise it clears
// the picture and the label. No run: nothing.
void PreviewWindow::Form_Click()
{
    using namespace KELPA;
    if (Running != 1)
        return;
    if (CheckOnClick->isChecked()) {
        PreviewFile = LastFile;
        Preview();
    } else {
        LabelInfo->clear();
        ImagePreview->Clear();
    }
}

void PreviewWindow::ImagePreview_Click()
{
    Form_Click();
}

void PreviewWindow::ListPreview_Click()
{
    Form_Click();
}

void PreviewWindow::ImagePreview_DblClick()
{
    KELPA::ApiResult = platform::ShellExecuteA(KELPA::PreviewImage, KELPA::Directory);
}

// --- FormPreview ---------------------------------------------------------------

FormPreview& FormPreview::Instance()
{
    static FormPreview* instance = platform::Built(new FormPreview);
    return *instance;
}

FormPreview::FormPreview()
    : PreviewWindow(Kind::MdiChild, "FormPreview", KELPA::PreviewOpen, KELPA::PositionPreview)
{
    VerzListe = platform::Control<DirectoryList>(this, "VerzListe");
    platform::Move(ImagePreview, TwipsRect{0, 0, 2085, 2355});
    platform::Move(ListPreview, TwipsRect{0, 0, 1965, 2010});
    platform::Move(ListNoPreview, TwipsRect{0, 0, 1725, 1230});
    platform::Move(VerzListe, TwipsRect{2130, 0, 1935, 990});
    platform::Move(DateiListe, TwipsRect{2115, 990, 1960, 675});
    Frame1->move(platform::ToPixels(2130), platform::ToPixels(1770));
    VerzListe->installEventFilter(this);
    platform::On(VerzListe, &DirectoryList::Change, this, &FormPreview::VerzListe_Change);
    platform::On(VerzListe, &DirectoryList::Click, this, &FormPreview::VerzListe_Click);
    // Names of another width lay the column out anew.
    connect(VerzListe, &DirectoryList::Filled, this, [this] {
        platform::runGuarded([this] {
            if (Loaded() && ColumnExtra() != laidColumn_)
                Form_Resize();
        });
    });
    MoveTo(0, 0, 4290, 2850);
}

// The file list follows the directory list, and the caption names and
// counts the folder it lists.
void FormPreview::VerzListe_Change()
{
    DateiListe->SetPath(VerzListe->Path());
    listMoved_ = true;
    WatchListedFolder(Loaded());
    UpdateListCaption();
}

void FormPreview::VerzListe_Click()
{
    DateiListe->show();
}

QString FormPreview::ListFolder() const
{
    return DateiListe->Path();
}

// --- FormPreviewTop --------------------------------------------------------------

FormPreviewTop& FormPreviewTop::Instance()
{
    static FormPreviewTop* instance = platform::Built(new FormPreviewTop);
    return *instance;
}

FormPreviewTop::FormPreviewTop()
    : PreviewWindow(Kind::TopLevel, "FormPreviewTop", KELPA::PreviewTopOpen,
                    KELPA::PositionPreviewTop)
{
    platform::Move(ImagePreview, TwipsRect{0, 0, 2085, 1650});
    platform::Move(ListPreview, TwipsRect{0, 0, 2025, 1425});
    platform::Move(ListNoPreview, TwipsRect{0, 0, 1725, 1230});
    platform::Move(DateiListe, TwipsRect{2130, 0, 1935, 870});
    Frame1->move(platform::ToPixels(2130), platform::ToPixels(1110));
    MoveTo(0, 0, 4290, 2190);
}

void FormPreviewTop::Form_Load()
{
    PreviewWindow::Form_Load();
    KELPA::ApiResult = platform::SetWindowPos(this, platform::HWND_TOPMOST);
}

preview::Layout FormPreviewTop::CurrentLayout() const
{
    return Frame1->isHidden() ? preview::Layout::TopSmall : preview::Layout::Top;
}

// Directory and the file name, with one backslash between them.
QString FormPreviewTop::ListFolder() const
{
    QString folder = KELPA::Directory;
    while (folder.endsWith(QLatin1Char('\\')))
        folder.chop(1);
    return folder;
}
