// The assistant's controls: where they stand in their step frames, their
// captions, and the frames fitted to captions that need more lines than the
// design gives them (the German texts are longer). An option's round button
// or box stands by the first line of its caption.

#include "tools/FormAssistant.h"

#include "main/Kelpa.h"
#include "platform/forms/FirstLineIndicator.h"
#include "platform/forms/Handlers.h"
#include "platform/forms/Twips.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

using namespace KELPA;
using platform::Control;
using platform::Move;
using platform::Placed;
using platform::TwipsRect;

namespace {

constexpr double InnerWidth = 8160;

// A caption broken into lines that fit width twips, for the option buttons
// and check boxes whose texts are a sentence long.
QString Wrapped(const QWidget* control, const QString& text, double width)
{
    const QFontMetrics metrics(control->font());
    const int room = platform::ToPixels(width) - 30; // the indicator's room
    QString result;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '))) {
        const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(longer) > room) {
            result += line + QLatin1Char('\n');
            line = word;
        } else {
            line = longer;
        }
    }
    return result + line;
}

QLabel* Words(QWidget* parent, const char* name, const TwipsRect& r)
{
    QLabel* label = Placed<QLabel>(parent, name, r);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QScrollBar* Bar(QWidget* parent, const char* name, int minimum, int maximum, int value,
                const TwipsRect& r)
{
    auto* bar = Placed<QScrollBar>(parent, name, r);
    bar->setOrientation(Qt::Vertical);
    bar->setRange(minimum, maximum);
    bar->setValue(value);
    bar->setSingleStep(1);
    bar->setEnabled(false);
    return bar;
}

void SetWrapped(QAbstractButton* button, const QString& text)
{
    button->setText(Wrapped(button, text, button->width() * platform::TwipsPerPixel));
}

// The height control needs to show its caption whole at its width.
int NeededHeight(const QWidget* control)
{
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->wordWrap() ? label->heightForWidth(label->width())
                                 : label->sizeHint().height();
    // An option button or check box needs the lines of its caption, or its
    // indicator when that is taller.
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return std::max(button->fontMetrics().size(Qt::TextShowMnemonic, button->text()).height(),
                        button->style()->pixelMetric(QStyle::PM_IndicatorHeight));
    return control->height();
}

// Lets each control of frame grow to the height its caption needs, moving
// what lies below it down by as much; returns the height the frame needs.
int FitFrame(QWidget* frame)
{
    QList<QWidget*> controls = frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    std::stable_sort(controls.begin(), controls.end(),
                     [](const QWidget* a, const QWidget* b) { return a->y() < b->y(); });
    int bottom = 0;
    for (QWidget* control : controls) {
        const int grow = NeededHeight(control) - control->height();
        if (grow > 0) {
            const int below = control->y() + control->height();
            for (QWidget* other : controls)
                if (other != control && other->y() >= below)
                    other->move(other->x(), other->y() + grow);
            control->resize(control->width(), control->height() + grow);
        }
    }
    for (const QWidget* control : controls)
        bottom = std::max(bottom, control->y() + control->height());
    return bottom + platform::ToPixels(120);
}

} // namespace

void FormAssistant::setupControls()
{
    for (int n = 1; n <= 6; ++n) {
        const QByteArray name = "Frame" + QByteArray::number(n);
        Frame[n] = Placed<QGroupBox>(this, name.constData(), {120, 60, 8520, 3420});
        Frame[n]->setVisible(n == 1);
    }
    CommandBack = Placed<QPushButton>(this, "CommandBack", {4980, 3600, 1700, 375});
    CommandBack->setText(QStringLiteral("&Cancel"));
    CommandContinue = Placed<QPushButton>(this, "CommandContinue", {6840, 3600, 1800, 375});
    CommandContinue->setText(QStringLiteral("&Continue ->"));
    CommandContinue->setDefault(true);
    setupFrames12();
    setupFrames34();
    setupFrames56();
    for (QAbstractButton* option : findChildren<QAbstractButton*>())
        if (qobject_cast<QRadioButton*>(option) || qobject_cast<QCheckBox*>(option))
            platform::IndicatorByFirstLine(option);
}

void FormAssistant::setupFrames12()
{
    QWidget* f = Frame[1];
    Label1 = Placed<QLabel>(f, "Label1", {120, 300, InnerWidth, 255});
    Option1 = Placed<QRadioButton>(f, "Option1", {240, 600, InnerWidth, 450});
    Option1->setChecked(true);
    Option2 = Placed<QRadioButton>(f, "Option2", {240, 1080, InnerWidth, 450});
    Option3 = Placed<QRadioButton>(f, "Option3", {240, 1560, InnerWidth, 450});
    Option4 = Placed<QRadioButton>(f, "Option4", {240, 2040, InnerWidth, 450});
    OptionOpen = Placed<QRadioButton>(f, "OptionOpen", {240, 2580, InnerWidth, 255});
    TextOpen = Placed<QLineEdit>(f, "TextOpen", {600, 2900, 7560, 300});
    TextOpen->setEnabled(false);

    f = Frame[2];
    Label2 = Words(f, "Label2", {120, 300, InnerWidth, 660});
    OptionURL = Placed<QRadioButton>(f, "OptionURL", {240, 960, InnerWidth, 680});
    OptionURL->setChecked(true);
    Label3 = Placed<QLabel>(f, "Label3", {600, 1710, 1700, 255});
    Label3->setText(QStringLiteral("http:// (file:///)"));
    TextURL = Placed<QLineEdit>(f, "TextURL", {2400, 1680, 4900, 300});
    CommandURL = Placed<QPushButton>(f, "CommandURL", {7400, 1660, 900, 340});
    CommandURL->setText(QStringLiteral("..."));
    OptionChoose = Placed<QRadioButton>(f, "OptionChoose", {240, 2220, InnerWidth, 255});
    Label4 = Placed<QLabel>(f, "Label4", {600, 2640, 1700, 255});
    TextChoose = Placed<QLineEdit>(f, "TextChoose", {2400, 2610, 4900, 300});
    TextChoose->setEnabled(false);
    CommandChoose = Placed<QPushButton>(f, "CommandChoose", {7400, 2590, 900, 340});
    CommandChoose->setText(QStringLiteral("..."));
    CommandChoose->setEnabled(false);
}

void FormAssistant::setupFrames34()
{
    QWidget* f = Frame[3];
    Label5 = Placed<QLabel>(f, "Label5", {120, 300, InnerWidth, 255});
    Option5 = Placed<QRadioButton>(f, "Option5", {240, 600, InnerWidth, 255});
    Option5->setChecked(true);
    Option6 = Placed<QRadioButton>(f, "Option6", {240, 900, InnerWidth, 450});
    Label6 = Words(f, "Label6", {600, 1380, 7800, 860});
    Label6->setEnabled(false);
    const auto row = [&](const char* box, const char* label, const char* bar, double left,
                         double top, QCheckBox*& check, QLabel*& value, QScrollBar*& scroll,
                         int minimum, int maximum, int design, const char* caption) {
        check = Placed<QCheckBox>(f, box, {left, top, 1900, 285});
        check->setEnabled(false);
        value = Placed<QLabel>(f, label, {left + 1950, top + 15, 1000, 255});
        value->setText(QLatin1String(caption));
        value->setEnabled(false);
        scroll = Bar(f, bar, minimum, maximum, design, {left + 3000, top - 60, 240, 420});
    };
    row("CheckStart", "Zeit", "VScroll2", 600, 2360, CheckStart, Zeit, VScroll2, -1680, -5, -80,
        "8.0 h");
    VScroll2->setPageStep(5);
    row("CheckDauer", "Dauer", "VScroll1", 600, 2880, CheckDauer, Dauer, VScroll1, -720, -1, -60,
        "60 min");
    row("CheckRepeat", "Repeat", "VScroll3", 4500, 2360, CheckRepeat, Repeat, VScroll3, -1440, 0,
        -20, "20 min");
    Label7 = Placed<QLabel>(f, "Label7", {4500, 2940, 3900, 255});
    Label7->setVisible(false);

    f = Frame[4];
    Label8 = Placed<QLabel>(f, "Label8", {120, 300, InnerWidth, 255});
    Option7 = Placed<QRadioButton>(f, "Option7", {240, 600, InnerWidth, 680});
    Option7->setChecked(true);
    Option8 = Placed<QRadioButton>(f, "Option8", {240, 1320, InnerWidth, 450});
    Option9 = Placed<QRadioButton>(f, "Option9", {240, 1800, InnerWidth, 450});
    CheckRelozierungen = Placed<QCheckBox>(f, "CheckRelozierungen", {240, 2400, InnerWidth, 680});
    CheckRelozierungen->setChecked(true);
}

void FormAssistant::setupFrames56()
{
    QWidget* f = Frame[5];
    Label9 = Words(f, "Label9", {120, 300, InnerWidth, 660});
    Label10 = Placed<QLabel>(f, "Label10", {120, 960, InnerWidth, 255});
    TextOnlySite = Placed<QLineEdit>(f, "TextOnlySite", {120, 1230, InnerWidth, 300});
    Label11 = Words(f, "Label11", {120, 1600, InnerWidth, 660});
    Label12 = Placed<QLabel>(f, "Label12", {120, 2280, InnerWidth, 255});
    TextNoSite = Placed<QLineEdit>(f, "TextNoSite", {120, 2550, InnerWidth, 300});
    Label13 = Words(f, "Label13", {120, 2980, 5300, 255});
    Label14 = Words(f, "Label14", {5500, 2980, 2900, 255});
    Label14->setVisible(false);

    f = Frame[6];
    Label15 = Placed<QLabel>(f, "Label15", {120, 300, InnerWidth, 255});
    const auto box = [&](const char* name, double left, double top) {
        return Placed<QCheckBox>(f, name, {left, top, 3600, 285});
    };
    CheckSounds = box("CheckSounds", 600, 700);
    CheckEXE = box("CheckEXE", 600, 1060);
    CheckGIF = box("CheckGIF", 600, 1420);
    CheckJPG = box("CheckJPG", 600, 1780);
    CheckZIP = box("CheckZIP", 4400, 700);
    CheckTXT = box("CheckTXT", 4400, 1060);
    CheckMovies = box("CheckMovies", 4400, 1420);
    CheckJava = box("CheckJava", 4400, 1780);
    CheckJava->setText(QStringLiteral("Java Applets"));
    Label16 = Words(f, "Label16", {120, 2300, InnerWidth, 1000});
}

void FormAssistant::SetCaptions()
{
    const auto& t = LanguageText;
    CommandBack->setText(t[4]);
    CommandContinue->setText(t[5]);
    Frame[1]->setTitle(t[2]);
    Label1->setText(t[3]);
    SetWrapped(Option1, t[22]);
    SetWrapped(Option2, t[21]);
    SetWrapped(Option3, t[20]);
    SetWrapped(Option4, t[28]);
    OptionOpen->setText(t[29]);
    Frame[2]->setTitle(t[8]);
    Label2->setText(t[31]);
    SetWrapped(OptionURL, t[13]);
    OptionChoose->setText(t[30]);
    Label4->setText(t[27]);
    Frame[3]->setTitle(t[9]);
    Label5->setText(t[32]);
    Option5->setText(t[63]);
    SetWrapped(Option6, t[64]);
    Label6->setText(t[26]);
    CheckStart->setText(t[23]);
    CheckDauer->setText(t[24]);
    CheckRepeat->setText(t[25]);
    Label7->setText(t[40]);
    Frame[4]->setTitle(t[10]);
    Label8->setText(t[37]);
    SetWrapped(Option7, t[42]);
    SetWrapped(Option8, t[43]);
    SetWrapped(Option9, t[44]);
    SetWrapped(CheckRelozierungen, t[39]);
    Frame[5]->setTitle(t[11]);
    Label9->setText(t[38]);
    Label10->setText(t[45]);
    Label11->setText(t[46]);
    Label12->setText(t[47]);
    Label13->setText(t[48]);
    Label14->setText(t[41]);
    Frame[6]->setTitle(t[49]);
    Label15->setText(t[65]);
    CheckSounds->setText(t[18]);
    CheckEXE->setText(t[14]);
    CheckGIF->setText(t[17]);
    CheckJPG->setText(t[12]);
    CheckZIP->setText(t[15]);
    CheckTXT->setText(t[16]);
    CheckMovies->setText(t[19]);
    Label16->setText(t[66]);
    FitSteps();
}

// The frames share the height of the tallest one, and the buttons and the
// window follow; a window whose captions fit keeps its design size.
void FormAssistant::FitSteps()
{
    int height = Frame[1]->height();
    for (int n = 1; n <= 6; ++n)
        height = std::max(height, FitFrame(Frame[n]));
    for (int n = 1; n <= 6; ++n)
        Frame[n]->resize(Frame[n]->width(), height);
    const int buttons = Frame[1]->y() + height + platform::ToPixels(120);
    CommandBack->move(CommandBack->x(), buttons);
    CommandContinue->move(CommandContinue->x(), buttons);
    setFixedSize(width(), std::max(platform::ToPixels(4130),
                                   buttons + CommandContinue->height() + platform::ToPixels(155)));
}
