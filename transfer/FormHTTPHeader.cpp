// The head of an answer: its length, and the relocations it asks for.

#include "transfer/FormHTTP.h"

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/WorkListIndex.h"
#include "transfer/FormHTTPDetail.h"
#include "transfer/LinkSearch.h"
#include "transfer/OnlineSearch.h"
#include "transfer/ResponseHeader.h"

#include <QLineEdit>

#include <utility>

using namespace KELPA;

// Applies the complete head and the body's first bytes: false when the
// reception ends here (an error answer, a relocation ran or was refused, or
// the transfer was aborted).
bool FormHTTP::HandleHead(const transfer::ResponseHeader& head, const QByteArray& body)
{
    if (StopRun == 1)
        return false;
    Relocated = 0;
    statusCode_ = head.statusCode;
    contentType_ = head.contentType;
    // A ".gif" substitute that the server does not have must not replace the
    // PNG with an error page: the caller fetches the PNG again instead.
    if (std::exchange(substituteAsked_, false) && head.statusCode / 100 != 2) {
        substituteFailed_ = true;
        CloseDataFile(true);
        Relocated = 2;
        return false;
    }
    if (head.statusCode >= 400) {
        ErrorAnswer(head, body);
        return false;
    }
    switch (transfer::ApplyResponseHeader(head, body, !std::exchange(keepPng_, false))) {
    case transfer::HeaderDecision::Relocation:
        FormKelpa::Instance().logging(QStringLiteral("Location: ") + Link);
        Relocate(false);
        return false;
    case transfer::HeaderDecision::PngSubstitute:
        Relocate(true);
        return false;
    case transfer::HeaderDecision::Body:
        break;
    }
    if (head.hasStatusLine) {
        if (head.lengthKnown && head.contentLength == 0)
            SetCaption(LanguageText[126]);
        LogError = 1;
        FormKelpa::Instance().logging(transfer::LengthLogText(head));
    }
    return AbortTransfer == 0;
}

// An error answer is logged with its status line and never saved: an earlier
// copy stays, and nothing goes to KELPA.GOT. A server error (5xx) or a busy
// page is recorded in KELPA.NOT, to be fetched again; any other is done with,
// and the run asks for its URL no more. Ends the exchange.
void FormHTTP::ErrorAnswer(const transfer::ResponseHeader& head, const QByteArray& body)
{
    FormKelpa& form = FormKelpa::Instance();
    SetCaption(head.statusLine);
    form.logging(Caption());
    const transfer::PageDecision page =
        transfer::DecidePage(body, head.statusCode, head.contentType);
    ShowPageMessage(page.messageEntry);
    if (head.statusCode >= 500 || page.pageState == 4) {
        NotLoadedPending = 0;
    } else {
        NotLoadedPending = 1;
        errorAnswers_.insert(WorkListIndex::UrlKey(Text1->text()), FileName);
        if (UrlsLeft > 0)
            --UrlsLeft;
        form.StatusZeile();
    }
    AbortTransfer = 1;
}

void FormHTTP::ForgetErrorAnswers()
{
    errorAnswers_.clear();
}

QString FormHTTP::RecordedUrl(const QString& source) const
{
    if (substituteLink_.isEmpty())
        return source;
    // The substitute's URL as the nested transfer shows it, or as it was
    // handed over (without its scheme).
    const QString url = source.trimmed();
    const bool substitute =
        url.compare(substituteLink_, Qt::CaseInsensitive) == 0 ||
        url.compare(QStringLiteral("http://") + substituteLink_, Qt::CaseInsensitive) == 0;
    return substitute ? pngSource_ : source;
}

// Follows the relocation (or the PNG substitute) that Link now names with a
// whole nested transfer, or refuses it when the settings say so, when it
// names a local file (a server never leads to one) or when
// MaxRelocations transfers in a row were relocated. Leaves Relocated 2.
void FormHTTP::Relocate(bool png)
{
    FormKelpa& form = FormKelpa::Instance();
    CloseDataFile(true);
    Relocated = 1;
    if ((!png && (AcceptRelocation != 1 || transfer::NamesLocalFile(Link))) ||
        relocationDepth_ >= MaxRelocations) {
        SetCaption(LanguageText[124]);
        form.logging(Caption());
        FileComplete = 1;
        --UrlsLeft;
        form.StatusZeile();
    } else {
        // The nested transfer opens its own connection and file.
        httpdetail::CloseSocket();
        DataFileNumber = 0;
        BodyFile file = std::exchange(file_, BodyFile());
        const int status = statusCode_;
        const QString contentType = contentType_;
        auto search = std::move(search_);
        const QString pngLink = png ? Link.chopped(4) : QString();
        const QString fileName = FileName;
        const QString outerSubstitute = substituteLink_;
        const QString outerPng = pngSource_;
        if (png) {
            substituteLink_ = Link;
            pngSource_ = Text1->text();
        }
        ++relocationDepth_;
        substituteAsked_ = png;
        const QString owner = std::exchange(relocationOwner_, file.owner);
        Uebertragung();
        if (std::exchange(substituteFailed_, false)) {
            Link = pngLink;
            FileName = fileName;
            keepPng_ = true;
            Uebertragung();
        }
        substituteAsked_ = keepPng_ = false;
        relocationOwner_ = owner;
        substituteLink_ = outerSubstitute;
        pngSource_ = outerPng;
        --relocationDepth_;
        file_ = std::move(file);
        statusCode_ = status;
        contentType_ = contentType;
        search_ = std::move(search);
        form.TimerBusy.setEnabled(false);
        TimerTimeout.setEnabled(false);
    }
    Relocated = 2;
}
