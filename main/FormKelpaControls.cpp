// The main window's design: its panels, controls and timers as they are
// before start-up changes anything.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/LitLamp.h"
#include "platform/forms/Clicks.h"
#include "platform/forms/Handlers.h"
#include "platform/forms/ShownText.h"
#include "platform/forms/Twips.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

using platform::Control;
using platform::Move;

namespace {

QFrame* Panel(QWidget* parent, const char* name, double heightTwips)
{
    auto* panel = Control<QFrame>(parent, name);
    panel->setFixedHeight(platform::ToPixels(heightTwips));
    return panel;
}

// A lamp: a small disc, dark when unlit.
QPixmap LampPicture(const QColor& colour)
{
    const int side = platform::ToPixels(195);
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(colour);
    painter.drawEllipse(1, 1, side - 2, side - 2);
    return picture;
}

constexpr double LampTop = 105;
constexpr double LampSide = 195;

QLabel* Lamp(QWidget* parent, const char* name, const QColor& colour, double left)
{
    auto* lamp = Control<QLabel>(parent, name);
    lamp->setPixmap(LampPicture(colour));
    Move(lamp, {left, LampTop, LampSide, LampSide});
    return lamp;
}

// Made after its unlit twin, so that it lies on it; unlit at first.
LitLamp* Lit(QWidget* parent, const char* name, const QColor& colour, double left)
{
    auto* lamp = new LitLamp(parent, LampPicture(colour));
    lamp->setObjectName(QLatin1String(name));
    Move(lamp, {left, LampTop, LampSide, LampSide});
    return lamp;
}

QPushButton* ToolButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon, int index)
{
    auto* button = Control<QPushButton>(parent, name);
    button->setIcon(parent->style()->standardIcon(icon));
    Move(button, {30.0 + index * 405, 30, 375, 345});
    return button;
}

QScrollBar* SpinBar(QWidget* parent, const char* name, int minimum, int maximum, int value,
                    int pageStep, double left)
{
    auto* bar = Control<QScrollBar>(parent, name);
    bar->setOrientation(Qt::Vertical);
    bar->setRange(minimum, maximum);
    bar->setValue(value);
    bar->setSingleStep(1);
    bar->setPageStep(pageStep);
    bar->setEnabled(false);
    Move(bar, {left, 60, 195, 255});
    return bar;
}

QLabel* ValueLabel(QWidget* parent, const char* name, const char* text, double left, double width)
{
    auto* label = Control<QLabel>(parent, name);
    label->setText(QLatin1String(text));
    label->setEnabled(false);
    Move(label, {left, 90, width, 225});
    return label;
}

QCheckBox* Box(QWidget* parent, const char* name, const char* text, const platform::TwipsRect& r)
{
    auto* box = Control<QCheckBox>(parent, name);
    box->setText(QLatin1String(text));
    Move(box, r);
    return box;
}

} // namespace

void FormKelpa::setupControls()
{
    auto* client = new QWidget(this);
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    setCentralWidget(client);

    // Tool bar with the activity lamps at its right end.
    PictureButtons = Panel(client, "PictureButtons", 405);
    CommandStart = ToolButton(PictureButtons, "CommandStart", QStyle::SP_MediaPlay, 0);
    CommandStop = ToolButton(PictureButtons, "CommandStop", QStyle::SP_MediaStop, 1);
    CommandSkip = ToolButton(PictureButtons, "CommandSkip", QStyle::SP_MediaSkipForward, 2);
    CommandAssistant =
        ToolButton(PictureButtons, "CommandAssistant", QStyle::SP_FileDialogStart, 3);
    CommandHTTP = ToolButton(PictureButtons, "CommandHTTP", QStyle::SP_DriveNetIcon, 4);
    CommandOptions =
        ToolButton(PictureButtons, "CommandOptions", QStyle::SP_FileDialogDetailedView, 5);
    CommandEdit = ToolButton(PictureButtons, "CommandEdit", QStyle::SP_FileDialogContentsView, 6);
    CommandPreview = ToolButton(PictureButtons, "CommandPreview", QStyle::SP_FileDialogInfoView, 7);
    CommandExit = ToolButton(PictureButtons, "CommandExit", QStyle::SP_DialogCloseButton, 8);
    CommandStart->setEnabled(false);
    CommandStop->setEnabled(false);
    CommandSkip->setEnabled(false);
    const QColor dark(0x40, 0x40, 0x40);
    PictureWait = Lamp(PictureButtons, "PictureWait", dark, 6845);
    PictureWaitOn = Lit(PictureButtons, "PictureWaitOn", Qt::yellow, 6845);
    PictureSend = Lamp(PictureButtons, "PictureSend", dark, 7085);
    PictureSendOn = Lit(PictureButtons, "PictureSendOn", Qt::red, 7085);
    PictureReceive = Lamp(PictureButtons, "PictureReceive", dark, 7325);
    PictureReceiveOn = Lit(PictureButtons, "PictureReceiveOn", Qt::green, 7325);
    PictureParse = Lamp(PictureButtons, "PictureParse", dark, 7565);
    PictureParseOn = Lit(PictureButtons, "PictureParseOn", Qt::cyan, 7565);
    column->addWidget(PictureButtons);

    // Start modes, list mode and the scheduler row.
    PictureFunctions = Panel(client, "PictureFunctions", 690);
    OptionNew = Control<QRadioButton>(PictureFunctions, "OptionNew");
    OptionNew->setText(QStringLiteral("&New Kelpa Search"));
    OptionNew->setChecked(true);
    Move(OptionNew, {60, 30, 3480, 285});
    OptionContinue = Control<QRadioButton>(PictureFunctions, "OptionContinue");
    OptionContinue->setText(QStringLiteral("Co&mplete/Continue KELPA-search"));
    Move(OptionContinue, {60, 345, 3480, 285});
    FrameCheckListe = Control<QGroupBox>(PictureFunctions, "FrameCheckListe");
    Move(FrameCheckListe, {3540, 0, 960, 660});
    CheckListe = Box(FrameCheckListe, "CheckListe", "List", {90, 270, 825, 285});
    CheckListe->setEnabled(false);
    CheckStart = Box(PictureFunctions, "CheckStart", "Start after", {4590, 75, 1350, 255});
    Zeit = ValueLabel(PictureFunctions, "Zeit", "8.0 h", 5955, 690);
    VScroll2 = SpinBar(PictureFunctions, "VScroll2", -3360, -1, -80, 10, 6660);
    CheckRepeat = Box(PictureFunctions, "CheckRepeat", "Repeat:", {6930, 75, 1260, 255});
    Repeat = ValueLabel(PictureFunctions, "Repeat", "20 min", 8200, 870);
    VScroll3 = SpinBar(PictureFunctions, "VScroll3", -1440, 0, -20, 1, 9085);
    CheckDauer = Box(PictureFunctions, "CheckDauer", "Time:", {9370, 75, 900, 255});
    Dauer = ValueLabel(PictureFunctions, "Dauer", "60 min", 10285, 870);
    VScroll1 = SpinBar(PictureFunctions, "VScroll1", -720, -1, -60, 1, 11170);
    CheckWindowsShutDown =
        Box(PictureFunctions, "CheckWindowsShutDown", "WindowsShutDown", {4590, 375, 2200, 255});
    CheckWindowsShutDown->setEnabled(false);
    LabelMessage = Control<QLabel>(PictureFunctions, "LabelMessage");
    LabelMessage->setText(QStringLiteral("PROGRAM STARTS AUTOMATICALLY..."));
    Move(LabelMessage, {6930, 405, 3600, 225});
    LabelMessage->hide();
    column->addWidget(PictureFunctions);

    // The document area.
    mdiArea_ = Control<QMdiArea>(client, "MdiArea");
    column->addWidget(mdiArea_, 1);

    // Log panel.
    PictureList = Panel(client, "PictureList", 1260);
    ListLogging = Control<QListWidget>(PictureList, "ListLogging");
    // One line per entry: the list need not measure every item on each add.
    ListLogging->setUniformItemSizes(true);
    platform::LayOutPlainly(ListLogging);
    Move(ListLogging, {-15, 0, 7850, 1260});
    CommandClearProtocol = Control<QPushButton>(PictureList, "CommandClearProtocol");
    CommandClearProtocol->setIcon(style()->standardIcon(QStyle::SP_DialogResetButton));
    Move(CommandClearProtocol, {7570, 15, 255, 255});
    CommandClearProtocol->raise();
    column->addWidget(PictureList);

    // Status line.
    PictureStatus = Panel(client, "PictureStatus", 285);
    Statzeil = Control<QLabel>(PictureStatus, "Statzeil");
    platform::LayOutPlainly(Statzeil);
    Move(Statzeil, {0, 15, 7835, 255});
    column->addWidget(PictureStatus);

    ImageIcon = style()->standardIcon(QStyle::SP_ArrowDown);
    setWindowIcon(ImageIcon);
    resize(platform::ToPixels(8000), platform::ToPixels(6000));
}

void FormKelpa::setupTimers()
{
    struct Design {
        platform::Timer& timer;
        int interval;
        bool enabled;
    };
    const Design timers[] = {
        {TimerBusy, 1000, false},    {TimerInfo, 2000, true},    {TimerAssistant, 1000, false},
        {TimerCaption, 500, false},  {TimerHide, 60000, false},  {TimerStartIn, 60000, false},
        {TimerRepeat, 60000, false}, {TimerDauer, 60000, false},
    };
    for (const Design& d : timers) {
        d.timer.setInterval(d.interval);
        d.timer.setEnabled(d.enabled);
    }
    TimerBusy.setHandler([this] { TimerBusy_Timer(); });
    TimerInfo.setHandler([this] { TimerInfo_Timer(); });
    TimerAssistant.setHandler([this] { TimerAssistant_Timer(); });
    TimerCaption.setHandler([this] { TimerCaption_Timer(); });
    TimerHide.setHandler([this] { TimerHide_Timer(); });
    TimerStartIn.setHandler([this] { TimerStartIn_Timer(); });
    TimerRepeat.setHandler([this] { TimerRepeat_Timer(); });
    TimerDauer.setHandler([this] { TimerDauer_Timer(); });
    platform::On(CommandExit, &QPushButton::clicked, this, &FormKelpa::CommandExit_Click);
    platform::On(CommandStart, &QPushButton::clicked, this, &FormKelpa::CommandStart_Click);
    platform::On(CommandStop, &QPushButton::clicked, this, &FormKelpa::CommandStop_Click);
    platform::On(CommandSkip, &QPushButton::clicked, this, &FormKelpa::MenuCancel_Click);
    platform::On(CommandHTTP, &QPushButton::clicked, this, &FormKelpa::MenuHTTP_Click);
    platform::OnSelected(OptionNew, this, &FormKelpa::OptionNew_Click);
    platform::OnSelected(OptionContinue, this, &FormKelpa::OptionContinue_Click);
    platform::On(CheckListe, &QCheckBox::stateChanged, this, &FormKelpa::CheckListe_Click);
    platform::On(CheckStart, &QCheckBox::stateChanged, this, &FormKelpa::CheckStart_Click);
    platform::On(CheckRepeat, &QCheckBox::stateChanged, this, &FormKelpa::CheckRepeat_Click);
    platform::On(CheckDauer, &QCheckBox::stateChanged, this, &FormKelpa::CheckDauer_Click);
    platform::On(CheckWindowsShutDown, &QCheckBox::stateChanged, this,
                 &FormKelpa::CheckWindowsShutDown_Click);
    platform::On(VScroll1, &QScrollBar::valueChanged, this, &FormKelpa::VScroll1_Change);
    platform::On(VScroll2, &QScrollBar::valueChanged, this, &FormKelpa::VScroll2_Change);
    platform::On(VScroll3, &QScrollBar::valueChanged, this, &FormKelpa::VScroll3_Change);
    WatchSchedulerLabels();
    platform::On(CommandAssistant, &QPushButton::clicked, this, &FormKelpa::MenuAssistant_Click);
    platform::On(CommandEdit, &QPushButton::clicked, this, &FormKelpa::MenuEdit_Click);
    platform::On(CommandOptions, &QPushButton::clicked, this, &FormKelpa::MenuOptions_Click);
    platform::On(CommandPreview, &QPushButton::clicked, this, &FormKelpa::MenuPreview_Click);
    platform::On(CommandClearProtocol, &QPushButton::clicked, this,
                 &FormKelpa::MenuClearProtocol_Click);
    platform::On(ListLogging, &QListWidget::itemDoubleClicked, this,
                 &FormKelpa::ListLogging_DblClick);
    platform::OnClicks(FrameCheckListe, this, nullptr, &FormKelpa::MenuChooseInputFile_Click);
    PictureButtons->installEventFilter(this);
    PictureFunctions->installEventFilter(this);
    installEventFilter(this);
    setAcceptDrops(true);
}

void FormKelpa::SetControlCaptions()
{
    using KELPA::LanguageText;
    const auto& t = LanguageText;
    CheckRepeat->setText(t[25]);
    CheckStart->setText(t[23]);
    CheckDauer->setText(t[24]);
    CommandEdit->setToolTip(t[70]);
    LabelMessage->setText(t[180]);
    // The fixed tail is English in both languages.
    CheckWindowsShutDown->setToolTip(t[181] + QStringLiteral("Time: 60 min)"));
    CheckListe->setToolTip(t[185]);
    FrameCheckListe->setToolTip(t[185]);
    CheckListe->setText(t[186]);
    OptionContinue->setText(t[188]);
    OptionNew->setText(t[189]);
    ListLogging->setToolTip(t[190]);
    CommandAssistant->setToolTip(t[191]);
    CommandSkip->setToolTip(t[192]);
    CommandStart->setToolTip(t[193]);
    CommandExit->setToolTip(t[194]);
    CommandOptions->setToolTip(t[196]);
    CommandHTTP->setToolTip(t[197]);
    CommandPreview->setToolTip(t[198]);
    const int lampTexts[] = {323, 325, 326, 327};
    const auto lamps = Lamps();
    for (size_t i = 0; i < lamps.size(); ++i) {
        lamps[i].unlit->setToolTip(t[lampTexts[i]]);
        lamps[i].lit->setToolTip(t[lampTexts[i]]);
    }
}
