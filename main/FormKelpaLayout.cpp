// The main window's face and layout: caption and icon when it is minimised or
// restored, and the controls along its width whenever its size changes.

#include "main/FormKelpa.h"

#include "main/FormInfo.h"
#include "main/Kelpa.h"
#include "main/LitLamp.h"
#include "platform/files/Files.h"
#include "platform/forms/Pictures.h"
#include "platform/forms/Twips.h"
#include "platform/pump/Pump.h"
#include "preview/FormPreview.h"
#include "transfer/FormHTTP.h"

#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>

namespace {

// Moves control to left, keeping its top and size.
void MoveLeft(QWidget* control, double left)
{
    platform::TwipsRect place = platform::Place(control);
    place.Left = left;
    platform::Move(control, place);
}

// Keeps control at left, with a new width.
void Stretch(QWidget* control, double left, double width)
{
    platform::TwipsRect place = platform::Place(control);
    place.Left = left;
    place.Width = width;
    platform::Move(control, place);
}

} // namespace

// Runs on every resize and state change. Restored: the program's caption and
// icon, the preview on top in its normal layout. Minimised: the preview on
// top reduced, else the normal preview window closed; the user's title and
// icon (when set) replace the program's. Then, unless minimised or LayoutBusy,
// lays out the status line, the log list, the lamps, the clear button and the
// transfer window's width, switches TimerInfo on at the first layout of a
// start without a command line, and notes a running TimerCaption in
// CaptionTimerPending. Yields at the end of a layout.
void FormKelpa::MDIForm_Resize()
{
    const bool minimised = WindowState() == 1;
    if (!minimised) {
        if (KELPA::PreviewTopOpen == 1)
            FormPreviewTop::Instance().NormalVorschau();
        setWindowTitle(DirectoryCaption(QStringLiteral(" ")));
        setWindowIcon(ImageIcon);
    } else {
        if (KELPA::PreviewTopOpen == 1)
            FormPreviewTop::Instance().MinimalVorschau();
        else if (KELPA::PreviewOpen == 1)
            FormPreview::Instance().Unload();
        if (!KELPA::UserTitle.isEmpty()) {
            setWindowTitle(KELPA::UserTitle);
            if (KELPA::PreviewTopOpen == 1)
                FormPreviewTop::Instance().SetCaption(KELPA::UserTitle);
        }
        if (!KELPA::UserIcon.isEmpty()) {
            const QPixmap picture = platform::LoadPicture(KELPA::UserIcon);
            if (!picture.isNull()) {
                ImageUserIcon = QIcon(picture);
                setWindowIcon(ImageUserIcon);
            }
        }
    }
    if (minimised || KELPA::LayoutBusy == 1)
        return;

    KELPA::LayoutBusy = 1;
    const double width = Width();
    Stretch(Statzeil, 0, width - 165);
    Stretch(ListLogging, -15, width - 150);
    if (width > 6500) {
        const double fromRight[] = {1155, 915, 675, 435};
        const auto lamps = Lamps();
        for (size_t i = 0; i < lamps.size(); ++i) {
            MoveLeft(lamps[i].unlit, width - fromRight[i]);
            MoveLeft(lamps[i].lit, width - fromRight[i]);
        }
    }
    if (KELPA::MainShown == 0 && KELPA::CommandLine.isEmpty()) {
        TimerInfo.setEnabled(true);
        KELPA::MainShown = 1;
    }
    if (TimerCaption.Enabled())
        KELPA::CaptionTimerPending = 1;
    FormHTTP& transfer = FormHTTP::Instance();
    if (transfer.WindowState() == 0)
        transfer.SetWidth(width - 175);
    PlaceClearProtocol();
    KELPA::LayoutBusy = 0;
    platform::DoEvents();
}

void FormKelpa::PlaceClearProtocol()
{
    MoveLeft(CommandClearProtocol, Width() - (KELPA::LogLineCount >= 11 ? 630 : 430));
}

// Closes the about window shown at start-up, once.
void FormKelpa::TimerInfo_Timer()
{
    TimerInfo.setEnabled(false);
    FormInfo::Instance().Unload();
}

QList<QRect> FormKelpa::ControlAreas() const
{
    QList<QRect> areas;
    if (!isVisible() || isMinimized())
        return areas;
    for (const QWidget* bar :
         {static_cast<const QWidget*>(menuBar()), static_cast<const QWidget*>(PictureButtons),
          static_cast<const QWidget*>(PictureFunctions)}) {
        if (bar->isVisible())
            areas.append(QRect(bar->mapToGlobal(QPoint(0, 0)), bar->size()));
    }
    if (const QRect transfer = FormHTTP::Instance().ScreenRect(); !transfer.isEmpty())
        areas.append(transfer);
    return areas;
}
