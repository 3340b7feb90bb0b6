#pragma once
// The transfer window: fetches one URL at a time, from a local file or over
// HTTP/1.0, into the download directory.
//
// The class is implemented in several files, one per concern:
//   FormHTTP.cpp          construction, the window's controls and handlers
//   FormHTTPDriver.cpp    Uebertragung, Runtergeladen, SubDirErstellen
//   FormHTTPConnect.cpp   name resolution, the connection, the socket notices
//   FormHTTPTimeouts.cpp  the time-out timers and the transfer rate
//   FormHTTPReceive.cpp   the request, its sending and the reception
//   FormHTTPHeader.cpp    the head of the answer and its relocations
//   FormHTTPBody.cpp      size limits, progress and the local file
//   FormHTTPLinks.cpp     the links of a page

#include "platform/files/Files.h"
#include "platform/forms/Form.h"
#include "platform/forms/Paced.h"
#include "platform/pump/Timer.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace transfer {
struct ResponseHeader;
class OnlineSearch;
} // namespace transfer

namespace winsock {
class NotifyTarget;
}

class FormHTTP final : public platform::Form {
    Q_OBJECT
public:
    static FormHTTP& Instance();
    ~FormHTTP() override;

    // --- the window (FormHTTP.cpp) -------------------------------------------
    // Lays the window out for its width: normal windows at the top left,
    // 1300 twips high; the source and link boxes and the two buttons follow
    // the width. Records the state in WindowState. Does nothing while
    // minimised or while ResizeGuard is 1.
    void Form_Resize();
    // The source text changed: enables or disables the start controls and
    // counts the source (UrlsLeft 1 or 0).
    void Text1_Change();
    // Puts the activity lamps out.
    void Text1_Click();
    // Selects the whole source and empties the target.
    void Text1_DblClick();
    // Enter (13) in either box starts a run when the start command is enabled.
    void Text1_KeyPress(int keyAscii);
    void Text2_KeyPress(int keyAscii);
    // Recomputes the target file name in Text2 from the URL in Text1.
    void Text2_Click();
    // Selects the whole target.
    void Text2_DblClick();
    // Clears a "Ready!" caption and the target box.
    void Form_Click();
    // Opens the saved file (LastFile, else LocalFileName) with its program,
    // once something of it arrived (a file being received is there only
    // once whole: until then its earlier copy); the result goes to ApiResult.
    void Label2_DblClick();
    // Opens an "http://" or "file://" source with its program.
    void Label4_DblClick();
    // Replaces the source with the clipboard's text, then names the target.
    void CommandPaste_Click();
    // Lets the user choose a local page or map file as the source.
    void CommandChooseFile_Click();

    // --- one transfer (FormHTTPDriver.cpp) -----------------------------------
    // Fetches Link into FileName: names and places the local file, copies a
    // local source or connects and runs the HTTP exchange, then records the
    // result in KELPA.GOT or KELPA.NOT and keeps the run's statistics. Does
    // nothing while StopRun is 1. A stand-in set with SetTransfer runs instead.
    void Uebertragung();
    // Tests replace the transfer with a stand-in; an empty function restores it.
    static void SetTransfer(std::function<void()> transfer);
    // Appends Text1 and FileName to KELPA.GOT and counts the file as loaded.
    void Runtergeladen();
    // A run starts knowing no URL answered with an error status.
    void ForgetErrorAnswers();
    // The URL under which source (a URL as the source box shows it) is
    // recorded in the work lists: while a PNG's ".gif" substitute is
    // fetched, the substitute's URL stands for the PNG's own, so that what
    // fails of the substitution is asked for again as the PNG; any other
    // URL stands for itself.
    QString RecordedUrl(const QString& source) const;
    // Creates every directory level of Directory & FileDirectory; returns
    // the folders it made below Directory, the deepest last.
    QStringList SubDirErstellen();

    // --- connection (FormHTTPConnect.cpp) ------------------------------------
    // Resolves HostName into HostAddress (0 when it fails), blocking or not by
    // GetHostByNameBlocking; sets CallResult in blocking mode.
    void DomainNameServerAnfrage();
    // Takes the first address of the resolved host entry into HostAddress.
    void ZeigerAuslesen();
    // The sink of every socket notice: AsyncSignal := "mousemove".
    void AsyncAufruf_MouseMove();

    // --- time-outs and rate (FormHTTPTimeouts.cpp) ---------------------------
    // Arms TimerTimeout anew from Timeout (below 1: no time-out).
    void TimeOutErneuern();
    void TimerTimeout_Timer();
    void TimerConnect_Timer();
    void TimerDNSLookUp_Timer();
    // Logs the size and speed of the file just received.
    void Uebertragungsrate();

    // --- the HTTP exchange (FormHTTPReceive.cpp, FormHTTPHeader.cpp) ---------
    // Sends the request on the connected Socket and receives the answer into
    // LastFile. Leaves BytesReceived, ContentLength, TransferVerdict, PageState
    // and Relocated; may run a nested transfer for a relocation.
    void hypertexttransport();

    // --- links of a page (FormHTTPLinks.cpp) ---------------------------------
    // Handles the link found in CurrentTag at FoundPos: names, filters and
    // lists it, and rewrites the tag for local browsing.
    void InlineNamen();
    // Searches a saved (local) page for links and rewrites it in place.
    void Auswerten();
    // The same for a server-side image map file.
    void AuswertenMap();

    QLineEdit* Text1 = nullptr;     // source URL
    QLineEdit* Text2 = nullptr;     // target file name
    QLineEdit* TextLinks = nullptr; // the link under work
    // TextLinks takes a new link at most once a frame (a page's links pass
    // faster than they can be read).
    platform::PacedText LinkShown;
    QLabel* PictureHTTP = nullptr;
    QLabel* Label1 = nullptr; // "Link:"
    QLabel* Label2 = nullptr; // "Target:"
    QLabel* Label4 = nullptr; // "Source:"
    QPushButton* CommandPaste = nullptr;
    QPushButton* CommandChooseFile = nullptr;
    // Receives the socket notices (the hidden AsyncAufruf box).
    winsock::NotifyTarget* AsyncAufruf = nullptr;
    platform::Timer TimerDNSLookUp;
    platform::Timer TimerConnect;
    platform::Timer TimerTimeout;

    // 1 while the load or resize handler lays the window out.
    int16_t ResizeGuard = 0;

    // Relocations followed in a row before the next one counts as refused.
    static constexpr int MaxRelocations = 10;

protected:
    // Places the window for the main window's width and sets the texts.
    void Form_Load() override;
    void Form_QueryUnload(int& cancel) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    FormHTTP();
    void setupControls();
    void wireControls();
    void PlaceButtons();

    // Driver steps.
    // The HTTP fetch of Link into LocalFileName, the name of owner's URL.
    void HttpTransfer(const QString& owner);
    bool Connect();
    bool ConnectFailed();
    void EndHttpTransfer();
    void SearchAndReport(bool collect);
    void Statistics();

    // Exchange steps.
    int SendRequest(const QByteArray& request);
    int64_t ReceiveBlock(QByteArray& block);
    // Waits until a socket notice arrives, AbortTransfer is 1 or passes
    // passes went by (0: no bound); returns the passes waited. Sleeps.
    int WaitForNotice(int passes);
    void SetBlocking(bool blocking);
    void ReceiveLoop();
    bool HandleHead(const transfer::ResponseHeader& head, const QByteArray& body);
    void ErrorAnswer(const transfer::ResponseHeader& head, const QByteArray& body);
    void ShowPageMessage(int entry);
    void Relocate(bool png);
    void ProcessBody(QByteArray body);
    bool CheckSizes(const QByteArray& body, bool firstBody);
    void WriteBody(const QByteArray& bytes);
    // A page arrives in many small blocks and its file writes them in few
    // large pieces: this writes what it holds, so that a failed write shows.
    void WriteUnwritten();
    void FailWriting(int error);
    void Refuse();
    void ShowProgress();
    void Drain();
    void CloseDataFile(bool deleteWritten);
    // The part file takes the target's name, or goes (false).
    bool SettlePart();

    int16_t MinutesLeft = 0; // ticks of TimerTimeout left
    int noticeError_ = 0;    // error carried by the last socket notice
    int relocationDepth_ = 0;
    // The ".gif" substitute of a PNG: asked for by the nested transfer, failed
    // (not a 2xx answer), and the PNG fetched again to be kept as it is.
    bool substituteAsked_ = false;
    bool substituteFailed_ = false;
    bool keepPng_ = false;
    // The URL whose name a relocation's answer is saved under.
    QString relocationOwner_;
    // While the substitution runs: the substitute's Link, and the PNG's URL
    // as the source box showed it.
    QString substituteLink_;
    QString pngSource_;
    // The file being received: its part file is made at the first byte of the
    // body and takes the target's name only when the body arrived whole
    // (SettlePart), so that a failed fetch never touches the target. A target
    // named as a part file itself is written directly, made anew.
    struct BodyFile {
        QString target;
        QString owner;         // the URL whose name target is
        platform::Apart apart; // empty: the body goes to the target itself
        bool written = false;  // the body began
        int64_t bytes = 0;
    };
    BodyFile file_;
    // The answer's status and media type (ResponseHeader), for the page decision.
    int statusCode_ = 0;
    QString contentType_;
    // The URLs of this run answered with an error status that no completion
    // helps (their work-list key) and the local names they had.
    QHash<QString, QString> errorAnswers_;
    std::unique_ptr<transfer::OnlineSearch> search_;
    QByteArray lookupBuffer_;
};
