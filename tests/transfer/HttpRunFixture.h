#pragma once
// Helpers for whole runs against the loopback server: a site described as
// pages, the saved tree, the work lists and the links the run rewrote.

#include "tests/main/RunFixture.h"
#include "tests/support/HttpTestServer.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>

#include <utility>

namespace testsupport {

using SitePages = QList<std::pair<QByteArray, QByteArray>>;

// "@1" in a page stands for "http://127.0.0.1:port", "@2" for the same
// server as "http://localhost:port": two hosts without a name server.
inline QByteArray OnBothHosts(const HttpTestServer& server, QByteArray text)
{
    const QByteArray port = QByteArray::number(server.port());
    text.replace("@1", "http://127.0.0.1:" + port);
    text.replace("@2", "http://localhost:" + port);
    return text;
}

// Serves each page at its path; ".gif" paths as images, ".zip" as archives.
inline void ServeSite(HttpTestServer& server, const SitePages& pages)
{
    for (const auto& [path, body] : pages) {
        if (path.endsWith(".gif"))
            server.setAnswer(path, HttpAnswer::page(body, "image/gif"));
        else if (path.endsWith(".zip"))
            server.setAnswer(path, HttpAnswer::page(body, "application/zip"));
        else
            server.setAnswer(path, HttpAnswer::page(OnBothHosts(server, body)));
    }
}

// The files below "site", as paths relative to it with "/", sorted, without
// the index page.
inline QStringList SavedTree()
{
    QStringList files;
    const QDir site(QDir(QStringLiteral("site")).absolutePath());
    QDirIterator it(site.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (it.fileName() != QLatin1String("_Index.html"))
            files.append(site.relativeFilePath(path));
    }
    files.sort();
    return files;
}

// The file names of the saved tree, sorted.
inline QStringList SavedNames()
{
    QStringList names;
    for (const QString& path : SavedTree())
        names.append(QFileInfo(path).fileName());
    names.sort();
    return names;
}

// Bytes of the files below folder (regular files only).
inline int64_t SavedBytes(const QString& folder)
{
    int64_t bytes = 0;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        bytes += QFileInfo(it.next()).size();
    return bytes;
}

inline int GotRecords()
{
    const QByteArray got = ReadFile(QStringLiteral("KELPA.GOT"));
    return int(got.count("\r\n") / 2);
}

// The request targets the server received, in order.
inline QByteArrayList Targets(const HttpTestServer& server)
{
    return server.targets();
}

// Every link the run rewrote in a saved page (a relative local path; the
// site's own links are absolute or rooted) that names no saved file, as
// "page: link". A link that climbs out of "site" counts as broken. Counts
// the rewritten links into rewritten.
inline QStringList BrokenLinks(int& rewritten)
{
    rewritten = 0;
    static const QRegularExpression attribute(QStringLiteral("(?:href|src)\\s*=\\s*\"([^\"]*)\""),
                                              QRegularExpression::CaseInsensitiveOption);
    const QDir site(QDir(QStringLiteral("site")).absolutePath());
    const QString root = QDir(site.absolutePath()).canonicalPath() + QLatin1Char('/');
    QStringList broken;
    for (const QString& page : SavedTree()) {
        if (!page.endsWith(QLatin1String(".html")))
            continue;
        const QString text = QString::fromLatin1(ReadFile(site.filePath(page)));
        const QDir pageDir = QFileInfo(site.filePath(page)).absoluteDir();
        for (const auto& match : attribute.globalMatch(text)) {
            QString link = match.captured(1);
            if (link.contains(QLatin1String("://")) || link.startsWith(QLatin1Char('/')))
                continue;
            ++rewritten;
            link.replace(QLatin1Char('\\'), QLatin1Char('/'));
            const QFileInfo target(QDir::cleanPath(pageDir.filePath(link)));
            if (!target.isFile() || !target.canonicalFilePath().startsWith(root))
                broken.append(page + QStringLiteral(": ") + match.captured(1));
        }
    }
    return broken;
}

} // namespace testsupport
