// The HTTP/1.0 exchange on a connected socket: the request, its sending and
// the reception of the answer into the local file.

#include "transfer/FormHTTP.h"

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"
#include "platform/forms/ShownText.h"
#include "platform/msgbox/MsgBox.h"
#include "platform/pump/Pump.h"
#include "platform/winsock/Winsock.h"
#include "preview/FormPreview.h"
#include "transfer/FormHTTPDetail.h"
#include "transfer/LinkSearch.h"
#include "transfer/OnlineSearch.h"
#include "transfer/Request.h"
#include "transfer/ResponseHeader.h"

#include <QCheckBox>
#include <QLineEdit>

using namespace KELPA;
using httpdetail::LogIfAsked;

namespace {

// The bytes of one received body block to write: searched when the page is.
QByteArray EvalBlock;

constexpr int RetryPasses = 5000;
constexpr long ExchangeEvents = winsock::FD_READ | winsock::FD_WRITE | winsock::FD_CLOSE;

bool WouldBlock()
{
    const int error = winsock::WSAGetLastError();
    return error == winsock::WSAEWOULDBLOCK || error == winsock::WSAEINPROGRESS;
}

} // namespace

// The file of the transfer for the open preview window: the normal one when
// it is open, else the one on top. A file takes its name only once it arrived
// whole, so the window shows it at the end of the transfer (final true),
// whatever its CheckOnClick box says; after a block PreviewFile only names it
// (empty when no preview is open), for a click on the window. The window
// keeps to four previews a second: a site arrives in thousands of files.
void httpdetail::FeedPreview(bool final)
{
    if (!final)
        PreviewFile = LastFile;
    PreviewWindow* window = nullptr;
    if (PreviewOpen == 1)
        window = &FormPreview::Instance();
    else if (PreviewTopOpen == 1)
        window = &FormPreviewTop::Instance();
    if (!window) {
        if (!final)
            PreviewFile.clear();
        return;
    }
    if (final)
        window->FollowReception(true);
}

namespace {

} // namespace

void FormHTTP::SetBlocking(bool blocking)
{
    if (blocking) {
        winsock::WSAAsyncSelect(Socket, AsyncAufruf, httpdetail::NoticeMessage, 0);
        uint32_t off = 0;
        winsock::ioctlsocket(Socket, winsock::FIONBIO, &off);
    } else {
        AsyncSignal.clear();
        winsock::WSAAsyncSelect(Socket, AsyncAufruf, httpdetail::NoticeMessage, ExchangeEvents);
    }
}

int FormHTTP::SendRequest(const QByteArray& request)
{
    TimeOutErneuern();
    FormKelpa::Instance().IndiLED(QStringLiteral("sende"));
    int result = 0;
    if (SendBlocking == 1) {
        SetBlocking(true);
        SetCaption(LanguageText[155] + QStringLiteral("WinSockCall: SEND"));
        LogIfAsked(Caption());
        platform::DoEvents();
        result = winsock::send(Socket, request.constData(), int(request.size()), 0);
        SetCaption(QStringLiteral(" "));
    } else {
        SetBlocking(false);
        WaitForNotice(0);
        qsizetype sent = 0;
        while (AbortTransfer == 0) {
            AsyncSignal.clear();
            result =
                winsock::send(Socket, request.constData() + sent, int(request.size() - sent), 0);
            if (result >= 0) {
                sent += result;
                result = int(sent);
                if (sent == request.size())
                    break;
            } else if (!WouldBlock()) {
                break; // refused, reset: no retry can help
            }
            WaitForNotice(RetryPasses);
        }
    }
    if (result == winsock::SOCKET_ERROR) {
        result = 0;
        FormKelpa::Instance().logging(LanguageText[130]);
    }
    return result;
}

int64_t FormHTTP::ReceiveBlock(QByteArray& block)
{
    block = FixedReceiveBuffer(RecvBuffer);
    int result = winsock::SOCKET_ERROR;
    if (RecvBlocking == 1) {
        SetBlocking(true);
        platform::DoEvents();
        result = winsock::recv(Socket, block.data(), int(block.size()), 0);
        SetCaption(QStringLiteral(" "));
    } else {
        SetBlocking(false);
        WaitForNotice(0);
        while (AbortTransfer == 0) {
            AsyncSignal.clear();
            result = winsock::recv(Socket, block.data(), int(block.size()), 0);
            if (result != winsock::SOCKET_ERROR || !WouldBlock())
                break;
            WaitForNotice(RetryPasses);
        }
    }
    block.truncate(std::max(result, 0));
    return result;
}

void FormHTTP::hypertexttransport()
{
    if (StopRun == 1)
        return;
    FormKelpa& form = FormKelpa::Instance();
    const auto& text = LanguageText;
    TransferVerdict = 0;
    InlineCount = 0;
    FileComplete = 0;
    LengthUnknown = 1;
    statusCode_ = 0;
    contentType_.clear();
    search_.reset();
    const QString targetText = Text2->text();
    SetCaption(text[129]);
    LogIfAsked(Caption());
    form.logging(platform::DateText() + QLatin1Char(' ') + platform::TimeText());

    const int sent = SendRequest(transfer::RequestText(transfer::CurrentRequestValues()));
    TimerTimeout.setEnabled(false);
    form.TimerBusy.setEnabled(true);
    form.IndiLED(QStringLiteral("empfange"));
    if (sent == 0 || AbortTransfer == 1) {
        SetCaption(QStringLiteral("Error!"));
        form.logging(text[141]);
        form.Nichtgeladen();
    } else {
        SetCaption(text[131]);
        LogIfAsked(Caption());
        FoundPos = 0;
        TransferTicks = 0;
        ReceiveLoop();
        if (search_ && Relocated != 2)
            WriteBody(search_->Finish());
        search_.reset();
        WriteUnwritten();
        platform::ShowText(Text2, targetText);
        if (CancelAnswer != platform::vbNo) {
            if (RecvCount == -1)
                TransferVerdict = -1;
            else if (AbortTransfer == 0)
                TransferVerdict = 1;
        }
        if (Relocated != 2)
            Drain();
        TimerTimeout.setEnabled(false);
    }
    // The search's copy of a page is Auswerten's alone: it is never open here.
    CloseDataFile(false);
    if (AbortTransfer != 0 || Relocated == 2)
        return;

    Uebertragungsrate();
    if (ContentLength != 0) {
        if (BytesReceived < ContentLength || ContentLength == -1) {
            TransferVerdict = 0;
            form.Nichtgeladen();
            SetCaption(text[142]);
            form.logging(Caption());
        }
    } else {
        SetCaption(text[143]);
        LogIfAsked(Caption());
    }
    if (TransferVerdict == -1)
        form.Nichtgeladen();
    FileComplete = 1;
}

// The answer is read block by block until the body is complete, the server
// closes, a socket error or an abort. The head may span any number of blocks,
// and its decision waits for as much of the body as it needs.
void FormHTTP::ReceiveLoop()
{
    using State = transfer::HeaderReader::State;
    FormKelpa& form = FormKelpa::Instance();
    transfer::HeaderReader reader;
    QByteArray firstBody; // the body received before the head was decided on
    bool headDone = false;
    bool anything = false;
    for (;;) {
        platform::DoEvents();
        TimeOutErneuern();
        QByteArray block;
        RecvCount = ReceiveBlock(block);
        if (AbortTransfer == 1)
            break;
        QByteArray body;
        if (RecvCount <= 0) {
            if (!headDone && anything && RecvCount == 0) {
                if (reader.state() == State::NeedMore && reader.Close() == State::Complete)
                    firstBody = reader.body();
                if (reader.state() == State::Complete) {
                    headDone = true;
                    if (!HandleHead(reader.header(), firstBody))
                        break;
                    ProcessBody(firstBody);
                }
            }
            if (!anything && BytesReceived == 0) {
                Text2->setText(LanguageText[132]);
                SetCaption(LanguageText[132]);
                TransferMessage = Text2->text();
                form.logging(TransferMessage);
            }
            ContentLength = ContentLength != 0 ? -1 : 1;
            break;
        }
        anything = true;
        TimeOutErneuern();
        if (!headDone) {
            if (reader.state() == State::Complete) {
                firstBody += block;
            } else {
                const State state = reader.Add(block);
                if (state == State::TooLong) {
                    RecvCount = -1;
                    ContentLength = -1;
                    break;
                }
                if (state == State::NeedMore)
                    continue;
                firstBody = reader.body();
            }
            const transfer::ResponseHeader head = reader.header();
            if (transfer::BodyUndecided(head, firstBody))
                continue;
            headDone = true;
            if (!HandleHead(head, firstBody))
                break;
            body = firstBody;
        } else {
            body = block;
        }
        ProcessBody(body);
        platform::DoEvents();
        if (AbortTransfer == 1)
            break;
        if (BytesReceived >= ContentLength && (ContentLength > 0 || LengthUnknown == 0))
            break;
    }
}

// One block of body: counted, tested against the size limits, searched for
// links when it is HTML, and written.
void FormHTTP::ProcessBody(QByteArray body)
{
    // Bytes past the announced length belong to no file.
    if (ContentLength >= 1 && BytesReceived + body.size() > ContentLength)
        body.truncate(std::max<int64_t>(0, ContentLength - BytesReceived));
    RecvCount = body.isEmpty() ? -2 : body.size();
    const bool firstBody = BytesReceived == 0;
    if (RecvCount != -2) {
        CurrentTag = body;
        BytesReceived += RecvCount;
    }
    ShowProgress();
    if (RecvCount == -2)
        return;
    if (!CheckSizes(body, firstBody))
        return;
    if (PageState == 1 && CollectLinks == 1) {
        FormKelpa::Instance().IndiLED(QStringLiteral("sucheonline"));
        MetaRefreshFound = 0;
        EvaluationComplete = 0;
        if (!search_)
            search_ = std::make_unique<transfer::OnlineSearch>(
                transfer::OnlineSearch::Options::Current(),
                [this](QByteArray& tag, const transfer::LinkMatch& match) {
                    CurrentTag = tag;
                    FoundPos = match.foundPos;
                    ImageLink = match.imageLink ? 1 : 0;
                    MetaRefreshFound = match.metaRefresh ? 1 : 0;
                    InlineNamen();
                    tag = CurrentTag;
                    ImageLink = 0;
                },
                transfer::SetBase);
        EvalBlock = search_->Add(body);
    } else {
        EvalBlock = body;
    }
    WriteBody(EvalBlock);
    httpdetail::FeedPreview(false);
}
