#include "main/FormInfo.h"

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/forms/Handlers.h"
#include "platform/forms/Twips.h"
#include "platform/msgbox/MsgBox.h"
#include "platform/pump/Pump.h"
#include "platform/shell/Desktop.h"

#include <QLabel>
#include <QList>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

const QString WebAddress = QStringLiteral("http://www.kelpa.example/");
const QString MailAddress = QStringLiteral("kelpa@maker.example");
const QColor DarkBlue(0, 0, 128);
const QColor BrightBlue(0, 0, 255);
constexpr double PictureSide = 1500; // twips
constexpr double TextMargin = 150;   // twips right of the text lines

QLabel* TextLine(QWidget* parent, const char* name, const platform::TwipsRect& place)
{
    auto* label = platform::Control<QLabel>(parent, name);
    platform::Move(label, place);
    return label;
}

// A sun with its rays on a light blue sky.
QPixmap DayPicture()
{
    const int side = platform::ToPixels(PictureSide);
    QPixmap picture(side, side);
    picture.fill(QColor(135, 206, 250));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(side / 2.0, side / 2.0);
    painter.setPen(QPen(QColor(255, 200, 0), side / 30.0, Qt::SolidLine, Qt::RoundCap));
    for (int ray = 0; ray < 12; ++ray) {
        painter.drawLine(QPointF(0, side * 0.26), QPointF(0, side * 0.42));
        painter.rotate(30);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 215, 0));
    painter.drawEllipse(QPointF(0, 0), side * 0.2, side * 0.2);
    return picture;
}

// A crescent moon and a few stars on a dark blue sky.
QPixmap NightPicture()
{
    const int side = platform::ToPixels(PictureSide);
    const QColor sky(20, 24, 82);
    QPixmap picture(side, side);
    picture.fill(sky);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(250, 240, 190));
    painter.drawEllipse(QPointF(side * 0.5, side * 0.5), side * 0.3, side * 0.3);
    painter.setBrush(sky);
    painter.drawEllipse(QPointF(side * 0.62, side * 0.42), side * 0.27, side * 0.27);
    painter.setBrush(Qt::white);
    for (const QPointF star : {QPointF(0.15, 0.2), QPointF(0.8, 0.15), QPointF(0.85, 0.8),
                               QPointF(0.2, 0.85), QPointF(0.1, 0.55)})
        painter.drawEllipse(QPointF(star.x() * side, star.y() * side), side / 60.0, side / 60.0);
    return picture;
}

void SetColour(QLabel* label, const QColor& colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

// One coordinate of the window: centred on the main window, or on the screen
// when the main window begins off the screen's near edge or past its middle.
double Centred(double mainStart, double mainSize, double screenSize, double ownSize)
{
    if (mainStart < 0 || mainStart > screenSize / 2)
        return (screenSize - ownSize) / 2;
    return mainStart + (mainSize - ownSize) / 2;
}

} // namespace

FormInfo& FormInfo::Instance()
{
    static FormInfo* instance = platform::Built(new FormInfo);
    return *instance;
}

FormInfo::FormInfo() : Form(Kind::TopLevel, "FormInfo")
{
    // A plain panel without caption or frame, which no window manager moves
    // or titles: its whole size is the designed one.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint);
    Image2 = platform::Control<QLabel>(this, "Image2");
    Image2->setPixmap(NightPicture());
    platform::Move(Image2, {120, 120, PictureSide, PictureSide});
    Image1 = platform::Control<QLabel>(this, "Image1");
    Image1->setPixmap(DayPicture());
    platform::Move(Image1, {120, 120, PictureSide, PictureSide});
    Label5 = TextLine(this, "Label5", {1800, 120, 3450, 300});
    QFont title = Label5->font();
    title.setBold(true);
    Label5->setFont(title);
    Label1 = TextLine(this, "Label1", {1800, 480, 3450, 255});
    Label6 = TextLine(this, "Label6", {1800, 840, 3450, 255});
    Label2 = TextLine(this, "Label2", {1800, 1095, 3450, 255});
    LabelHTTP = TextLine(this, "LabelHTTP", {1800, 1740, 3450, 255});
    LabelHTTP->setText(WebAddress);
    LabelMAILTO = TextLine(this, "LabelMAILTO", {1800, 2040, 3450, 255});
    LabelMAILTO->setText(MailAddress);
    for (QLabel* link : {LabelHTTP, LabelMAILTO})
        link->setCursor(Qt::PointingHandCursor);
    LinkColours(nullptr);

    setMouseTracking(true);
    for (QLabel* control :
         {Image1, Image2, Label1, Label2, Label5, Label6, LabelHTTP, LabelMAILTO}) {
        control->setMouseTracking(true);
        control->installEventFilter(this);
    }
    MoveTo(0, 0, 5400, 2600);
}

// Fills the text lines, widens them (and the window) to their longest text,
// centres the window and shows the picture of the hour.
void FormInfo::Form_Load()
{
    const auto& text = KELPA::LanguageText;
    Label1->setText(QStringLiteral("v") + QStringLiteral("5.0") +
                    QStringLiteral(" (Windows95/98/ME/XP/NT4.0/2000)"));
    Label2->setText(text[351]);
    Label6->setText(text[349]);
    Label5->setText(text[352]);
    FitTextLines();
    const FormKelpa& main = FormKelpa::Instance();
    MoveTo(Centred(main.Left(), main.Width(), platform::ScreenWidth(), Width()),
           Centred(main.Top(), main.Height(), platform::ScreenHeight(), Height()), Width(),
           Height());
    LinkColours(nullptr);
    DayOrNight(QTime::currentTime());
}

void FormInfo::FitTextLines()
{
    const QList<QLabel*> lines = {Label5, Label1, Label6, Label2, LabelHTTP, LabelMAILTO};
    int widest = 0;
    for (const QLabel* line : lines)
        widest = std::max(widest, line->sizeHint().width());
    const double lineWidth = std::max(platform::Place(Label1).Width, platform::ToTwips(widest));
    for (QLabel* line : lines) {
        platform::TwipsRect place = platform::Place(line);
        place.Width = lineWidth;
        platform::Move(line, place);
    }
    const double width = std::max(Width(), platform::Place(Label1).Left + lineWidth + TextMargin);
    MoveTo(Left(), Top(), width, Height());
}

void FormInfo::DayOrNight(const QTime& time)
{
    if (!time.isValid())
        return;
    const bool night = time.hour() >= 17 || time.hour() < 6;
    Image1->setHidden(night);
}

// Keeps the start-up timer from closing a window that is closed already.
void FormInfo::Form_Unload()
{
    FormKelpa::Instance().TimerInfo.setEnabled(false);
}

void FormInfo::Form_Click()
{
    Unload();
}

void FormInfo::Form_LostFocus()
{
    if (KELPA::MainShown == 1)
        Unload();
}

void FormInfo::LinkColours(const QLabel* bright)
{
    SetColour(LabelHTTP, bright == LabelHTTP ? BrightBlue : DarkBlue);
    SetColour(LabelMAILTO, bright == LabelMAILTO ? BrightBlue : DarkBlue);
}

void FormInfo::MouseMove(const QLabel* control)
{
    platform::DoEvents();
    LinkColours(control == LabelHTTP || control == LabelMAILTO ? control : nullptr);
    platform::DoEvents();
}

void FormInfo::LabelHTTP_Click()
{
    KELPA::ApiResult = platform::ShellExecuteA(WebAddress);
    platform::DoEvents();
    if (KELPA::ApiResult == platform::SE_ERR_FNF || KELPA::ApiResult == platform::SE_ERR_NOASSOC) {
        KELPA::MessageText = KELPA::LanguageText[182];
        platform::MsgBox(KELPA::MessageText, platform::vbExclamation, QStringLiteral("Kelpa"));
    }
    Unload();
}

void FormInfo::LabelMAILTO_Click()
{
    KELPA::ApiResult = platform::ShellExecuteA(QStringLiteral("mailto:") + MailAddress);
    if (KELPA::ApiResult == platform::SE_ERR_FNF) {
        KELPA::MessageText = KELPA::LanguageText[183];
        platform::MsgBox(KELPA::MessageText, platform::vbExclamation, QStringLiteral("Kelpa"));
    }
    Unload();
}

bool FormInfo::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        platform::runGuarded([this] { Form_Click(); });
        return true;
    case QEvent::MouseMove:
        platform::runGuarded([this] { MouseMove(nullptr); });
        return true;
    case QEvent::WindowDeactivate:
        platform::runGuarded([this] { Form_LostFocus(); });
        break;
    default:
        break;
    }
    return Form::event(event);
}

bool FormInfo::eventFilter(QObject* watched, QEvent* event)
{
    const auto* control = qobject_cast<QLabel*>(watched);
    if (event->type() == QEvent::MouseButtonRelease) {
        if (control == LabelHTTP)
            platform::runGuarded([this] { LabelHTTP_Click(); });
        else if (control == LabelMAILTO)
            platform::runGuarded([this] { LabelMAILTO_Click(); });
        else
            platform::runGuarded([this] { Form_Click(); });
        return true;
    }
    if (event->type() == QEvent::MouseMove) {
        platform::runGuarded([this, control] { MouseMove(control); });
        return true;
    }
    return Form::eventFilter(watched, event);
}
