// What the preview windows show of a file: a picture, text lines or the help
// list, and the line on it in LabelInfo.

#include "main/Kelpa.h"
#include "platform/files/Files.h"
#include "platform/forms/Twips.h"
#include "platform/pump/Pump.h"
#include "preview/FileList.h"
#include "preview/FormPreview.h"
#include "preview/PictureBox.h"
#include "preview/PreviewContent.h"
#include "preview/PreviewText.h"
#include "preview/ReducedPng.h"

#include <QCheckBox>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>

#include <cstring>

namespace {

// The error number of a picture that cannot be loaded.
constexpr int InvalidPicture = 481;

// True when a picture of size, decoded into format, would take more than the
// readers may allocate.
bool AboveAllocationLimit(QSize size, QImage::Format format)
{
    const qint64 limit = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
    const int bits =
        format == QImage::Format_Invalid ? 32 : QImage::toPixelFormat(format).bitsPerPixel();
    return limit > 0 && qint64(size.width()) * size.height() * qMax(1, bits / 8) > limit;
}

// True when the picture at linuxPath may be decoded at its natural size.
bool HeldWhole(const QString& linuxPath)
{
    QImageReader reader(linuxPath);
    reader.setDecideFormatFromContent(true);
    return !AboveAllocationLimit(reader.size(), reader.imageFormat());
}

// LabelInfo for a picture that 100% cannot show at its natural size.
QString TooLargeLabel()
{
    return QLatin1Char(' ') + KELPA::LanguageText[231];
}

QByteArray Head(const QString& linuxPath)
{
    QFile file(linuxPath);
    return file.open(QIODevice::ReadOnly) ? file.read(preview::HeadBytes) : QByteArray();
}

} // namespace

bool PreviewWindow::Current(unsigned generation) const
{
    return generation == generation_ && Loaded();
}

void PreviewWindow::SetWaitCursor(bool on)
{
    for (QWidget* control :
         {static_cast<QWidget*>(ImagePreview), static_cast<QWidget*>(ListPreview),
          static_cast<QWidget*>(DateiListe)}) {
        if (on)
            control->setCursor(Qt::WaitCursor);
        else
            control->unsetCursor();
    }
}

void PreviewWindow::Preview()
{
    using namespace KELPA;
    const unsigned generation = ++generation_;
    PreviewImage = PreviewFile;
    shownPath_ = PreviewImage;
    SetWaitCursor(true);
    ListPreview->clear();
    ListPreview->hide();
    ImagePreview->show();
    platform::DoEvents();
    if (!Current(generation))
        return;

    const QString path = shownPath_;
    if (path.isEmpty() || !platform::FileExists(path)) {
        // A file about to be created may appear meanwhile.
        for (int round = 0; round < 400 && !path.isEmpty(); ++round) {
            platform::DoEvents();
            if (!Current(generation))
                return;
        }
        ImagePreview->Clear();
    } else if (const int64_t length = platform::FileLen(path); length == 0) {
        LabelInfo->setText(QStringLiteral(" 0 Bytes"));
    } else {
        const QString linuxPath = platform::ToLinuxPath(path);
        switch (preview::ContentOf(path, Head(linuxPath))) {
        case preview::Content::Picture:
            ListNoPreview->hide();
            PreviewError = LoadPicture(linuxPath, Check100->isChecked());
            if (!Current(generation))
                return;
            if (PreviewError != 0)
                ImagePreview->Clear();
            break;
        case preview::Content::Html:
        case preview::Content::Text:
            ListNoPreview->hide();
            ImagePreview->Clear();
            HTMLLesen();
            if (!Current(generation))
                return;
            PreviewError = textFailed_ ? platform::ErrPathFileAccess : 0;
            break;
        case preview::Content::None:
            ImagePreview->Clear();
            ListNoPreview->show();
            PreviewError = 0;
            break;
        }
        ImagePreview->setToolTip(PreviewImage);
        const int64_t now = platform::FileLen(path);
        if (now >= 0)
            LabelInfo->setText(preview::SizeLabel(now, LanguageText[233]));
        if (PreviewError != 0) {
            LabelInfo->setText(QStringLiteral("Error! (") + LabelInfo->text() + QLatin1Char(')'));
            Scaling();
        } else if (!Check100->isChecked()) {
            Scaling();
        } else if (ImagePreview->Reduced()) {
            // Ticked, but too large to hold whole: shown fitted.
            Scaling();
            LabelInfo->setText(TooLargeLabel());
        } else if (ImagePreview->HasPicture()) {
            ImagePreview->move(0, 0);
            ImagePreview->SetStretch(false);
        }
    }
    SetWaitCursor(false);
}

int PreviewWindow::LoadPicture(const QString& linuxPath, bool naturalSize)
{
    QImageReader reader(linuxPath);
    reader.setDecideFormatFromContent(true);
    const QSize natural = reader.size();
    if (!natural.isValid() || natural.isEmpty())
        return InvalidPicture;
    QSize target = natural;
    if (!naturalSize || AboveAllocationLimit(natural, reader.imageFormat())) {
        const preview::Box box =
            preview::PreviewBox(CurrentLayout(), Width(), Height(), ColumnExtra());
        const QSize room(qMax(1, platform::ToPixels(box.width)),
                         qMax(1, platform::ToPixels(box.height)));
        if (natural.width() > room.width() || natural.height() > room.height())
            target = natural.scaled(room, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    }
    // The reader decodes a JPEG at the smaller size, any other picture whole
    // first: one larger than its allocation limit it refuses, and a PNG is
    // then read row by row into the smaller size instead.
    const bool reducedRead = target != natural && reader.format() == "jpeg";
    if (AboveAllocationLimit(reducedRead ? target : natural, reader.imageFormat())) {
        if (target != natural && reader.format() == "png")
            return LoadReducedPng(linuxPath, target, natural);
        return InvalidPicture;
    }
    if (target != natural && reader.supportsOption(QImageIOHandler::ScaledSize))
        reader.setScaledSize(target);
    QImage image = reader.read();
    if (image.isNull())
        return InvalidPicture;
    if (image.size() != target)
        image = image.scaled(target, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    ImagePreview->SetPicture(image, natural);
    return 0;
}

int PreviewWindow::LoadReducedPng(const QString& linuxPath, QSize target, QSize natural)
{
    const unsigned generation = generation_;
    QFile file(linuxPath);
    preview::ReducedPicture picture;
    if (file.open(QIODevice::ReadOnly)) {
        picture = preview::ReducePng(file, target, [this, generation] {
            platform::DoEvents();
            return Current(generation);
        });
    }
    if (!Current(generation))
        return 0; // a newer preview or the unload took over
    if (picture.size.isEmpty())
        return InvalidPicture;
    QImage image(picture.size, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(image.scanLine(y), picture.pixels.data() + size_t(y) * image.width(),
                    size_t(image.width()) * 4);
    ImagePreview->SetPicture(image, natural);
    return 0;
}

void PreviewWindow::HTMLLesen()
{
    using namespace KELPA;
    const unsigned generation = generation_;
    ImagePreview->hide();
    ListPreview->show();
    ListPreview->setToolTip(shownPath_);
    preview::TextSteps steps;
    steps.beforeLine = [this, generation] {
        platform::DoEvents();
        return Current(generation);
    };
    // An abort ends the reading only while a run is on: an abort left over
    // from a dissolved delayed start must not cut later previews short.
    steps.afterLine = [] { return !(Running == 1 && AbortTransfer == 1); };
    steps.add = [this](const QString& line) { ListPreview->addItem(line); };
    textFailed_ = !preview::ReadTextLines(platform::ToLinuxPath(shownPath_),
                                          preview::IsHtmlName(PreviewImage), steps);
}

// Ticked: the picture at its natural size at the corner (decoded again at
// that size when it was held smaller); a picture too large to hold whole
// stays fitted, and the label says so. Unticked: fitted again.
void PreviewWindow::Check100_Click()
{
    if (!Check100->isChecked()) {
        Scaling();
        return;
    }
    if (ImagePreview->Reduced()) {
        const QString linuxPath = platform::ToLinuxPath(KELPA::PreviewImage);
        if (HeldWhole(linuxPath))
            LoadPicture(linuxPath, true);
        if (ImagePreview->Reduced()) {
            LabelInfo->setText(TooLargeLabel());
            return;
        }
    }
    ImagePreview->hide();
    ImagePreview->move(0, 0);
    ImagePreview->SetStretch(false);
    ImagePreview->show();
    const int64_t length = platform::FileLen(KELPA::PreviewFile);
    if (length >= 0)
        LabelInfo->setText(preview::SizeLabel(length, KELPA::LanguageText[233]));
}

namespace {

preview::Pace& AutomaticPace()
{
    static preview::Pace pace(250);
    return pace;
}

} // namespace

bool preview::AutomaticPreviewDue()
{
    return AutomaticPace().Take(NowMs());
}

qint64 preview::AutomaticPreviewWait()
{
    return AutomaticPace().Wait(NowMs());
}

void PreviewWindow::FollowReception(bool final)
{
    if (final)
        finishedFile_ = KELPA::PreviewFile;
    if (preview::AutomaticPreviewDue()) {
        pendingPreview_.stop();
        Preview();
    } else if (final && !pendingPreview_.isActive()) {
        pendingPreview_.start(int(preview::AutomaticPreviewWait()) + 1);
    }
}
