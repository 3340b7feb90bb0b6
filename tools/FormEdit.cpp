#include "tools/FormEdit.h"

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/Settings.h"
#include "platform/files/Files.h"
#include "platform/forms/Clicks.h"
#include "platform/forms/Handlers.h"
#include "platform/forms/Twips.h"
#include "platform/shell/Desktop.h"
#include "tools/EditGeometry.h"
#include "tools/EditTexts.h"
#include "tools/ListLines.h"
#include "transfer/FormHTTP.h"

#include <QAction>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

using namespace KELPA;

namespace {

const QString LogFile = QStringLiteral("KELPA.LOG");

// The difference between the window's outer size and its client area in the
// design (7910 by 4590 outside, 7800 by 4185 inside).
constexpr double FrameWidthAllowance = 110;
constexpr double FrameHeightAllowance = 405;

// A caption wider than its button is drawn in a smaller font rather than cut
// ("Komplettierung" in German).
void FitCaption(QPushButton* button)
{
    constexpr int Margin = 8; // pixels the style keeps free beside the caption
    QFont font = button->parentWidget()->font();
    const QString shown = QString(button->text()).remove(QLatin1Char('&'));
    while (QFontMetrics(font).horizontalAdvance(shown) + Margin > button->width() &&
           font.pointSizeF() > 6)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    button->setFont(font);
}

} // namespace

FormEdit& FormEdit::Instance()
{
    static FormEdit* instance = platform::Built(new FormEdit);
    return *instance;
}

FormEdit::FormEdit() : Form(Kind::MdiChild, "FormEdit")
{
    TrackOpenFlag(KELPA::EditOpen);
    setupControls();
    wireControls();
    MoveTo(editgeometry::DesignPlace.Left, editgeometry::DesignPlace.Top,
           editgeometry::DesignPlace.Width, editgeometry::DesignPlace.Height);
}

// The design layout in twips; Form_Resize fits the list and the lower frame
// to the window's size.
void FormEdit::setupControls()
{
    using platform::Control;
    using platform::Move;
    FrameLog = Control<QGroupBox>(this, "FrameLog");
    FrameLog->setTitle(QStringLiteral("KELPA.LOG (0 Bytes)"));
    Move(FrameLog, {60, 60, 3015, 735});
    CommandReadLog = Control<QPushButton>(FrameLog, "CommandReadLog");
    Move(CommandReadLog, {300, 240, 1095, 375});
    CommandReadLog->setEnabled(false);
    CommandDeleteLog = Control<QPushButton>(FrameLog, "CommandDeleteLog");
    Move(CommandDeleteLog, {1680, 240, 1035, 375});
    CommandDeleteLog->setEnabled(false);

    Frame2 = Control<QGroupBox>(this, "Frame2");
    Move(Frame2, {3210, 60, 4545, 1125});
    const auto listButton = [this](const char* name, double left, double top) {
        auto* button = Control<QPushButton>(Frame2, name);
        Move(button, {left, top, 1350, 345});
        return button;
    };
    CommandLinks0 = listButton("CommandLinks0", 150, 240);
    CommandLinks0->setText(QStringLiteral("Links&0"));
    CommandLinks1 = listButton("CommandLinks1", 1590, 240);
    CommandLinks1->setText(QStringLiteral("Links&1"));
    CommandNot = listButton("CommandNot", 3030, 240);
    CommandComplete = listButton("CommandComplete", 150, 660);
    CommandGot = listButton("CommandGot", 1590, 660);
    CommandList = listButton("CommandList", 3030, 660);

    LabelLinkInfo = Control<QLabel>(this, "LabelLinkInfo");
    Move(LabelLinkInfo, {60, 1230, 7695, 195});
    ListRead = Control<QListView>(this, "ListRead");
    Move(ListRead, {30, 1470, 7725, 1815});
    Lines = new ListLines(this);
    ListRead->setModel(Lines);
    // Rows of one height: the view lays out a long list without measuring
    // every row.
    ListRead->setUniformItemSizes(true);
    ListRead->setSelectionMode(QAbstractItemView::SingleSelection);
    ListRead->setEditTriggers(QAbstractItemView::NoEditTriggers);

    FrameNOT = Control<QGroupBox>(this, "FrameNOT");
    Move(FrameNOT, {60, 3330, 7695, 825});
    FrameNOT->setEnabled(false);
    TextArrangeRemove = Control<QLineEdit>(FrameNOT, "TextArrangeRemove");
    Move(TextArrangeRemove, {120, 330, 4815, 285});
    CommandArrange = Control<QPushButton>(FrameNOT, "CommandArrange");
    Move(CommandArrange, {5130, 300, 1095, 345});
    CommandArrange->setEnabled(false);
    CommandRemove = Control<QPushButton>(FrameNOT, "CommandRemove");
    Move(CommandRemove, {6420, 300, 1095, 345});
    CommandRemove->setEnabled(false);
}

void FormEdit::wireControls()
{
    using platform::On;
    On(CommandLinks0, &QPushButton::clicked, this, &FormEdit::CommandLinks0_Click);
    On(CommandLinks1, &QPushButton::clicked, this, &FormEdit::CommandLinks1_Click);
    On(CommandNot, &QPushButton::clicked, this, &FormEdit::CommandNot_Click);
    On(CommandComplete, &QPushButton::clicked, this, &FormEdit::CommandComplete_Click);
    On(CommandGot, &QPushButton::clicked, this, &FormEdit::CommandGot_Click);
    On(CommandList, &QPushButton::clicked, this, &FormEdit::CommandList_Click);
    On(CommandReadLog, &QPushButton::clicked, this, &FormEdit::CommandReadLog_Click);
    On(CommandDeleteLog, &QPushButton::clicked, this, &FormEdit::CommandDeleteLog_Click);
    On(CommandArrange, &QPushButton::clicked, this, &FormEdit::CommandArrange_Click);
    On(CommandRemove, &QPushButton::clicked, this, &FormEdit::CommandRemove_Click);
    On(TextArrangeRemove, &QLineEdit::textChanged, this, &FormEdit::TextArrangeRemove_Change);
    connect(TextArrangeRemove, &QLineEdit::returnPressed, this,
            [this] { platform::runGuarded([this] { TextArrangeRemove_KeyPress(13); }); });
    On(ListRead, &QListView::doubleClicked, this, &FormEdit::ListRead_DblClick);
    platform::OnClicks(LabelLinkInfo, this, &FormEdit::LabelLinkInfo_Click, nullptr);
    ListRead->installEventFilter(this);
}

void FormEdit::SetCaptions()
{
    const auto& text = LanguageText;
    SetCaption(text[70]);
    CommandReadLog->setText(text[75]);
    CommandDeleteLog->setText(text[74]);
    Frame2->setTitle(text[71]);
    CommandNot->setText(text[93]);
    CommandComplete->setText(text[94]);
    CommandGot->setText(text[95]);
    CommandList->setText(text[96]);
    ListRead->setToolTip(text[76]);
    FrameNOT->setTitle(text[97]);
    CommandArrange->setText(text[72]);
    CommandRemove->setText(text[73]);
    for (QPushButton* button : findChildren<QPushButton*>())
        FitCaption(button);
}

void FormEdit::Form_Load()
{
    layoutGuard_ = 1;
    if (KELPA::WindowState == 0) {
        const editgeometry::Place place =
            editgeometry::RestorePlace(PositionEdit, editgeometry::DesignPlace,
                                       platform::ScreenWidth(), platform::ScreenHeight());
        MoveTo(place.Left, place.Top, place.Width, place.Height);
        PositionEdit = inifile::PositionText(place.Left, place.Width, place.Top, place.Height);
    }
    layoutGuard_ = 0;
    SetCaptions();
    TextArrangeRemove->clear();
    TextArrangeRemove_Change();
    LogRefresh();
    if (Running == 0) {
        FrameNOT->setEnabled(true);
        CommandLinks0->setEnabled(false);
        CommandLinks1->setEnabled(false);
        CommandComplete->setEnabled(false);
    }
    Show();
    Form_Resize();
}

// A close during a listing, an arrange or a remove waits for its end.
void FormEdit::Form_QueryUnload(int& cancel)
{
    if (ListingState == 1 || commandRunning_) {
        cancel = 1;
        ListingState = 2;
    }
}

void FormEdit::Form_Unload()
{
    ListingState = 0;
    ShowEdit = 0;
    if (WindowState() == 0)
        PositionEdit = inifile::PositionText(Left(), Width(), Top(), Height());
    Lines->Clear();
    pending_.clear();
}

void FormEdit::Form_Resize()
{
    if (WindowState() == 1 || layoutGuard_ != 0)
        return;
    layoutGuard_ = 1;
    KELPA::WindowState = WindowState() == 2 ? 2 : 0;
    const editgeometry::Layout outer = editgeometry::LayoutFor(Width(), Height());
    if (WindowState() == 0 && (outer.Width != Width() || outer.Height != Height()))
        MoveTo(Left(), Top(), outer.Width, outer.Height);
    // The controls follow the client area, whatever frame the window system
    // draws around it.
    const editgeometry::Layout l =
        editgeometry::LayoutFor(platform::ToTwips(width()) + FrameWidthAllowance,
                                platform::ToTwips(height()) + FrameHeightAllowance);
    platform::Move(ListRead, {30, 1470, l.ListWidth, l.ListHeight});
    platform::Move(FrameNOT, {60, l.FrameTop, l.FrameWidth, 825});
    platform::Move(TextArrangeRemove, {120, 330, l.TextWidth, 285});
    platform::Move(CommandArrange, {l.ArrangeLeft, 300, 1095, 345});
    platform::Move(CommandRemove, {l.RemoveLeft, 300, 1095, 345});
    layoutGuard_ = 0;
}

void FormEdit::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    platform::runGuarded([this] { Form_Resize(); });
}

bool FormEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ListRead && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Delete || key == Qt::Key_Insert) {
            platform::runGuarded(
                [this, key] { ListRead_KeyDown(key == Qt::Key_Delete ? 46 : 45); });
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}

void FormEdit::AlignForm()
{
    const FormKelpa& main = FormKelpa::Instance();
    SetWindowState(0);
    const editgeometry::Place place = editgeometry::AlignPlace(
        main.Width(), main.Height(), FormHTTP::Instance().Height(), Height(),
        !main.PictureList->isHidden(), !main.PictureButtons->isHidden());
    MoveTo(place.Left, place.Top, place.Width, place.Height);
}

void FormEdit::LogRefresh()
{
    const int64_t size = platform::FileLen(LogFile);
    if (size < 1)
        return;
    CommandDeleteLog->setEnabled(true);
    CommandReadLog->setEnabled(true);
    FrameLog->setTitle(edittexts::LogCaption(size));
}

void FormEdit::LogFromDisk()
{
    if (platform::FileLen(LogFile) >= 1) {
        LogRefresh();
        return;
    }
    FrameLog->setTitle(edittexts::NoLogCaption());
    CommandReadLog->setEnabled(false);
    CommandDeleteLog->setEnabled(false);
}

void FormEdit::CommandReadLog_Click()
{
    if (platform::FileLen(LogFile) > 0)
        ApiResult =
            platform::OpenInTextEditor(LogFile) ? platform::SE_STARTED : platform::SE_ERR_FNF;
}

void FormEdit::CommandDeleteLog_Click()
{
    RecycleFile = QStringLiteral("kelpa.log");
    FormKelpa::Instance().DateiInPapierkorb();
    LogFromDisk();
}

void FormEdit::RunStateChanged(bool running)
{
    FrameNOT->setEnabled(!running);
    if (ListingState == 1)
        return;
    CommandLinks0->setEnabled(running);
    CommandLinks1->setEnabled(running);
    CommandComplete->setEnabled(running);
}

void FormEdit::HoldStart()
{
    ++startHolds_;
    FormKelpa& main = FormKelpa::Instance();
    main.CommandStart->setEnabled(false);
    main.MenuEntry("MenuStart")->setEnabled(false);
}

void FormEdit::ReleaseStart()
{
    if (--startHolds_ > 0 || Running != 0)
        return;
    FormKelpa& main = FormKelpa::Instance();
    main.CommandStart->setEnabled(true);
    main.MenuEntry("MenuStart")->setEnabled(true);
}

void FormEdit::SetListButtons(bool enabled)
{
    for (QPushButton* button :
         {CommandLinks0, CommandLinks1, CommandNot, CommandComplete, CommandGot, CommandList})
        button->setEnabled(enabled);
}
