// The body of an answer: the size limits, the progress caption and the local
// file, which is created at the first byte of the body (beside an earlier
// copy, which it replaces only once whole).

#include "transfer/FormHTTP.h"

#include "main/DownloadFolder.h"
#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/PartFile.h"
#include "main/SavedFiles.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"
#include "platform/msgbox/MsgBox.h"
#include "platform/pump/Pump.h"
#include "platform/winsock/Winsock.h"
#include "transfer/FormHTTPDetail.h"
#include "transfer/LinkSearch.h"

#include <QLineEdit>

using namespace KELPA;

namespace {

constexpr int DrainReads = 10;
// The file writes the body in pieces of about this many bytes.
constexpr qsizetype WritePiece = 64 * 1024;

// Logs that the file path could not be written, with the error number.
void LogWriteError(const QString& path, int error)
{
    FormKelpa::Instance().logging(path + LanguageText[110] + platform::Trim(platform::Str(error)) +
                                  QStringLiteral(")"));
}

} // namespace

// False when a size limit refused the file.
bool FormHTTP::CheckSizes(const QByteArray& body, bool firstBody)
{
    FormKelpa& form = FormKelpa::Instance();
    const auto& text = LanguageText;
    if (MaxFileSize != 0 &&
        (static_cast<double>(file_.bytes + body.size()) / 1024.0 > MaxFileSize ||
         static_cast<double>(ContentLength) / 1024.0 > MaxFileSize)) {
        Refuse();
        form.logging(text[140]);
        return false;
    }
    if (!firstBody)
        return true;
    if (PageState == 0 && CollectLinks == 1) {
        CurrentTag = body;
        const int entry = transfer::AuswertenEntscheiden(statusCode_, contentType_);
        if (entry != 0 && PageState == 4)
            form.Nichtgeladen();
        ShowPageMessage(entry);
    }
    if (ContentLength != 0 && MinFileSize != 0 && PageState != 1 &&
        static_cast<double>(ContentLength) / 1024.0 < MinFileSize) {
        Refuse();
        return false;
    }
    return true;
}

// The text of the page decision (entry 0: none) in the caption and the
// target box; kept in TransferMessage and logged.
void FormHTTP::ShowPageMessage(int entry)
{
    if (entry == 0)
        return;
    SetCaption(LanguageText[entry]);
    Text2->setText(LanguageText[entry]);
    TransferMessage = Text2->text();
    FormKelpa::Instance().logging(TransferMessage);
}

// A size limit refused the file: it is recorded as done, and what was
// written of it is deleted.
void FormHTTP::Refuse()
{
    CancelAnswer = platform::vbNo;
    if (EvaluationComplete == 0) {
        Text1->setText(SavedLink);
        FileName = SavedFileName;
    }
    TransferVerdict = 1;
    NotLoadedPending = 0;
    CloseDataFile(true);
    FormKelpa::Instance().Abbruch();
}

// A file that cannot be written is never recorded as loaded. When the
// download directory itself no longer takes files, or the disk is full, the
// run ends after this transfer.
void FormHTTP::FailWriting(int error)
{
    LogWriteError(file_.target, error);
    SetCaption(LanguageText[151]);
    AbortTransfer = 1;
    QStringList problem =
        downloadfolder::Problem(Directory, platform::MakeWritableFolder(Directory));
    // A full disk takes no file either, though the folder still looks writable.
    if (problem.isEmpty() && error == platform::ErrDiskFull)
        problem = QStringList{LanguageText[440], Directory, LanguageText[447]};
    if (!problem.isEmpty()) {
        FormKelpa::Instance().logging(problem.join(QLatin1Char(' ')));
        FormKelpa::Instance().EndRunAfterTransfer(problem);
    }
}

void FormHTTP::WriteBody(const QByteArray& bytes)
{
    if (bytes.isEmpty() || AbortTransfer == 1)
        return;
    if (!file_.written) {
        DataFileNumber = static_cast<int16_t>(platform::FreeFile());
        // A target named as a part file is only ever made anew: it never
        // opens or replaces another transfer's part file.
        const int error =
            partfile::IsPartFile(file_.target)
                ? platform::OpenFresh(file_.target, DataFileNumber)
                : partfile::Make(Directory, file_.target, DataFileNumber, file_.apart);
        file_.written = error == 0;
        if (error != 0) {
            FailWriting(error);
            return;
        }
        platform::HoldWrites(DataFileNumber, WritePiece);
    }
    if (const int error = platform::PutBytes(DataFileNumber, bytes)) {
        FailWriting(error);
        return;
    }
    file_.bytes += bytes.size();
}

// The file holds its body bytes until a piece is full; whoever closes it, a
// stop or the exit among them, writes them first.
void FormHTTP::WriteUnwritten()
{
    if (DataFileNumber == 0)
        return;
    if (const int error = platform::Flush(DataFileNumber))
        FailWriting(error);
}

void FormHTTP::CloseDataFile(bool deleteWritten)
{
    if (DataFileNumber != 0)
        platform::Close(DataFileNumber);
    DataFileNumber = 0;
    if (deleteWritten && file_.written) {
        if (file_.apart.file.isEmpty())
            platform::Kill(file_.target);
        else
            platform::DropApart(file_.apart);
        file_.apart = {};
        file_.written = false;
        file_.bytes = 0;
    }
}

// The body takes the target's name when it arrived whole: not aborted,
// stopped, cut short or refused, nor a page of a busy server; the saved-files
// list then says whose the file is. Otherwise the target stays as it was and
// the body is dropped: false then.
bool FormHTTP::SettlePart()
{
    if (!file_.written)
        return true; // what was written went already, counted off by the caller
    bool kept = AbortTransfer == 0 && TransferVerdict == 1 && PageState != 4;
    if (file_.apart.file.isEmpty()) {
        if (!kept)
            platform::Kill(file_.target);
    } else {
        if (kept) {
            if (const int error = platform::PutInPlace(file_.apart)) {
                // Not saved: the URL is left for later.
                LogWriteError(file_.target, error);
                kept = false;
                TransferVerdict = 0;
                FormKelpa::Instance().Nichtgeladen();
            }
        }
        if (!kept)
            platform::DropApart(file_.apart);
        file_.apart = {};
    }
    if (kept)
        savedfiles::Note(Directory, file_.owner, file_.target);
    return kept;
}

void FormHTTP::ShowProgress()
{
    const auto& text = LanguageText;
    const QString received = QString::number(BytesReceived);
    const QString percent =
        ContentLength >= 1 ? QString::number(BytesReceived * 100 / ContentLength) : QString();
    if (FormKelpa::Instance().TimerDauer.Enabled()) {
        QString caption;
        if (BytesReceived >= 1 && ContentLength >= 1) {
            PercentText = text[309] + percent + QStringLiteral("%) ");
            caption =
                received + text[134] + QString::number(ContentLength) + PercentText + text[137];
        } else if (BytesReceived < 1) {
            caption = text[139];
        } else {
            caption = received + text[138];
        }
        SetCaption(caption + QString::number(DurationLeft) + QStringLiteral("'"));
    } else if (BytesReceived >= 1 && ContentLength >= 1) {
        PercentText = percent + QStringLiteral("% (");
        SetCaption(PercentText + received + text[134] + QString::number(ContentLength) + text[233] +
                   QStringLiteral(") ") + text[135]);
    } else if (BytesReceived < 1) {
        SetCaption(QStringLiteral(" "));
    } else {
        SetCaption(received + text[136]);
    }
}

// Ends the sending side and reads what is left without waiting for it: a
// server that keeps the connection open never holds the transfer.
void FormHTTP::Drain()
{
    CallResult = winsock::shutdown(Socket, winsock::SD_SEND);
    uint32_t on = 1;
    winsock::ioctlsocket(Socket, winsock::FIONBIO, &on);
    QByteArray buffer(ReceiveBuffer8192.size(), '\0');
    for (int read = 0; read < DrainReads; ++read) {
        platform::DoEvents();
        RecvCount = winsock::recv(Socket, buffer.data(), int(buffer.size()), 0);
        if (RecvCount <= 0)
            break;
    }
}
