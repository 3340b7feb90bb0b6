// Where the options window stands and how its controls follow its size.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/Settings.h"
#include "platform/forms/Twips.h"
#include "platform/pump/Pump.h"
#include "settings/FormOptions.h"
#include "settings/OptionsLayout.h"
#include "transfer/FormHTTP.h"

#include <QFrame>

using namespace KELPA;

void FormOptions::RestorePosition()
{
    const settings::StoredPosition stored = settings::ReadStoredPosition(PositionOptions);
    const double screenWidth = platform::ScreenWidth();
    const double screenHeight = platform::ScreenHeight();
    const auto outside = [](double value, double limit) { return value < 0 || value > limit; };
    if (stored.left) {
        SetLeft(*stored.left);
        if (outside(Left(), screenWidth))
            SetLeft(0);
    }
    if (stored.width) {
        SetWidth(*stored.width);
        if (outside(Width(), screenWidth))
            SetWidth(settings::OptionsMinWidth);
    }
    if (stored.top) {
        SetTop(*stored.top);
        if (outside(Top(), screenHeight))
            SetTop(0);
    }
    if (stored.height) {
        SetHeight(*stored.height);
        if (outside(Height(), screenHeight))
            SetHeight(4330);
    }
    PositionOptions = inifile::PositionText(Left(), Width(), Top(), Height());
}

void FormOptions::AlignForm()
{
    FormKelpa& main = FormKelpa::Instance();
    const double transferHeight = FormHTTP::Instance().Height();
    SetWindowState(0);
    SetTop(transferHeight);
    SetLeft(0);
    SetWidth(main.Width() - 175);
    if (Width() < 8730)
        SetWidth(8730);
    // At its minimum height in a low main window it stays below the transfer
    // window all the same: up over it, its title bar would hide.
    SetHeight(settings::AlignedOptionsHeight(main.Height(), !main.PictureList->isHidden(),
                                             !main.PictureButtons->isHidden()));
}

void FormOptions::Form_Resize()
{
    const int state = WindowState();
    if (state == 1 || OptionsLayoutBusy == 1)
        return;
    OptionsLayoutBusy = 1;
    KELPA::WindowState = state == 2 ? 2 : 0;
    const double width = Width();
    const double height = Height();
    if (width <= settings::OptionsMinWidth)
        SetWidth(settings::OptionsMinWidth);
    if (height <= settings::OptionsMinHeight)
        SetHeight(settings::OptionsMinHeight);
    for (const settings::Placement& place : settings::OptionsLayout(width, height)) {
        auto* control = findChild<QWidget*>(QLatin1String(place.control));
        platform::TwipsRect r = platform::Place(control);
        switch (place.property) {
        case settings::Property::Left:
            r.Left = place.value;
            break;
        case settings::Property::Top:
            r.Top = place.value;
            break;
        case settings::Property::Width:
            r.Width = place.value;
            break;
        case settings::Property::Height:
            r.Height = place.value;
            break;
        }
        platform::Move(control, r);
    }
    OptionsLayoutBusy = 0;
}

void FormOptions::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    platform::runGuarded([this] { Form_Resize(); });
}
