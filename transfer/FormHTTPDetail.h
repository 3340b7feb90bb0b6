#pragma once
// What the transfer window's files share and nobody else needs.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"
#include "platform/winsock/Winsock.h"

#include <QString>

namespace httpdetail {

// The text the notice sink leaves in AsyncSignal.
inline const QString NoticeArrived = QStringLiteral("mousemove");
// The message number of every socket notice.
inline constexpr unsigned NoticeMessage = 0x200;
// The longest sleep of one pass of a counted wait; a notice ends it at once.
inline constexpr int PassMs = 10;

// Logs text when LogAllMessages is 1.
inline void LogIfAsked(const QString& text)
{
    if (KELPA::LogAllMessages == 1)
        FormKelpa::Instance().logging(text);
}

// Closes Socket when one is open and marks it closed.
inline void CloseSocket()
{
    if (KELPA::Socket != winsock::INVALID_SOCKET)
        KELPA::CallResult = winsock::closesocket(KELPA::Socket);
    KELPA::Socket = winsock::INVALID_SOCKET;
}

// Appends one record (URL, local name) to a work list or KELPA.GOT, each line
// trimmed; the file stays open for the next record. A failed write ends the
// run (FormKelpa::WriteRecord).
inline void AppendRecord(const QString& list, const QString& url, const QString& name)
{
    FormKelpa::Instance().WriteRecord(list, url, name);
}

// Feeds the open preview window the file of the transfer: after a block
// (final false) it is only named, at the end of the transfer it is shown.
void FeedPreview(bool final);

// Adds host to the run's home hosts (Restrictions.h); an open options window
// shows the hosts it then has.
void AddHomeHost(const QString& host);

} // namespace httpdetail
