// The preview windows' geometry: the controls following the window size,
// the picture fitted into the preview area, the arrange command and the
// reduced layout of the window on top.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/files/Files.h"
#include "platform/forms/Twips.h"
#include "platform/pump/Pump.h"
#include "preview/DirectoryList.h"
#include "preview/FileList.h"
#include "preview/FormPreview.h"
#include "preview/PictureBox.h"
#include "transfer/FormHTTP.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>

#include <algorithm>

using platform::ToPixels;

void PreviewWindow::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    if (Loaded())
        platform::runGuarded([this] { Form_Resize(); });
}

// Lays the controls out for the window's size and refits the picture,
// unless the window is minimised or being placed. Notes a maximised window
// in WindowState.
void PreviewWindow::Form_Resize()
{
    using namespace KELPA;
    if (WindowState() == 1 || PreviewLoading == 1)
        return;
    PreviewLoading = 1;
    KELPA::WindowState = WindowState() == 2 ? 2 : 0;
    PlaceControls(preview::ControlPlaces(CurrentLayout(), Width(), Height(), ColumnExtra()));
    if (!ImagePreview->isHidden() && !Check100->isChecked())
        Scaling();
    PreviewLoading = 0;
}

void PreviewWindow::PlaceControls(const preview::Controls& places)
{
    // The frame stays inside the client area, and the file list above it.
    const int frameTop = qMax(0, qMin(ToPixels(places.frameTop), height() - Frame1->height()));
    // The frame's boxes are as wide as their captions need: it keeps within
    // the right edge too.
    const int frameLeft = places.frameLeft >= 0 ? ToPixels(places.frameLeft) : Frame1->x();
    Frame1->move(qMax(0, qMin(frameLeft, width() - Frame1->width())), frameTop);
    QRect list = DateiListe->geometry();
    if (places.fileLeft >= 0)
        list.moveLeft(ToPixels(places.fileLeft));
    if (places.fileWidth >= 0)
        list.setWidth(ToPixels(places.fileWidth));
    list.setHeight(qMax(1, qMin(ToPixels(places.fileHeight), frameTop - list.top())));
    DateiListe->setGeometry(list);
    for (QListWidget* text : {ListPreview, ListNoPreview})
        text->resize(ToPixels(places.textWidth), ToPixels(places.textHeight));
}

// The right-hand column is as wide as the folder list needs to show its
// names whole and the frame its captions, but at most half the window's
// width.
double FormPreview::ColumnExtra() const
{
    const double needed = std::max(platform::ToTwips(VerzListe->WholeWidth()) - 1935,
                                   platform::ToTwips(Frame1->width()) - 1995);
    return std::clamp(needed, 0.0, std::max(0.0, Width() / 2 - 1935));
}

void FormPreview::PlaceControls(const preview::Controls& places)
{
    laidColumn_ = places.dirWidth - 1935;
    VerzListe->setGeometry(ToPixels(places.dirLeft), VerzListe->y(), ToPixels(places.dirWidth),
                           VerzListe->height());
    PreviewWindow::PlaceControls(places);
}

// Fits the picture held into the preview area, raising the window to its
// minimum size first, and (but in the reduced layout, or after a load
// error) shows the zoom and size in LabelInfo.
void PreviewWindow::Scaling()
{
    using namespace KELPA;
    const preview::Layout layout = CurrentLayout();
    const preview::Box box = preview::PreviewBox(layout, Width(), Height(), ColumnExtra());
    if (box.raiseWidthTo > 0)
        SetWidth(box.raiseWidthTo);
    if (box.raiseHeightTo > 0)
        SetHeight(box.raiseHeightTo);
    ImagePreview->hide();
    const QSize natural = ImagePreview->Natural().isValid() ? ImagePreview->Natural() : QSize();
    const preview::Fit fit =
        preview::FitPicture(box.width, box.height, float(platform::ToTwips(natural.width())),
                            float(platform::ToTwips(natural.height())));
    if (layout != preview::Layout::TopSmall && PreviewError == 0) {
        const int64_t length = platform::FileLen(PreviewImage);
        if (length >= 0)
            LabelInfo->setText(
                preview::ZoomLabel(fit.percent, length, LanguageText[233], LanguageText[77]));
    }
    platform::Move(ImagePreview, platform::TwipsRect{fit.left, fit.top, fit.width, fit.height});
    ImagePreview->show();
}

void FormPreview::AlignForm()
{
    SetWindowState(0);
    FormKelpa& main = FormKelpa::Instance();
    preview::MainWindowSpace space;
    space.width = main.Width();
    space.height = main.Height();
    space.transferHeight = FormHTTP::Instance().Height();
    space.logShown = !main.PictureList->isHidden();
    space.toolbarShown = !main.PictureButtons->isHidden();
    const preview::Rect r = preview::AlignedChild(space, Height());
    MoveTo(r.left, r.top, r.width, r.height);
}

void FormPreviewTop::AlignForm()
{
    const preview::Rect r = preview::SnappedTop({Left(), Top(), Width(), Height()},
                                                platform::ScreenWidth(), platform::ScreenHeight());
    MoveTo(r.left, r.top, r.width, r.height);
}

void FormPreviewTop::MinimalVorschau()
{
    DateiListe->hide();
    Frame1->hide();
    Form_Resize();
}

void FormPreviewTop::NormalVorschau()
{
    DateiListe->show();
    Frame1->show();
    if (!KELPA::UserTitle.isEmpty())
        SetCaption(ListCaption());
    Form_Resize();
}
