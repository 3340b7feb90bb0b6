#pragma once
// A stand-in for the transfer of one URL, over a site described as data: it
// saves a page, records it in KELPA.GOT and lists the page's links for the
// next level through NamenGeben("InlineNamen"), as the real transfer does, so
// that a run can be followed end to end without a server.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace testsupport {

struct SitePage {
    QByteArray body;
    QStringList links; // absolute URLs, in the order the page holds them
};

// URL (with its scheme) -> page.
using Site = QHash<QString, SitePage>;

class TransferDouble final {
public:
    // Installs itself as the transfer window's transfer; the destructor
    // removes it.
    explicit TransferDouble(Site site);
    ~TransferDouble();
    TransferDouble(const TransferDouble&) = delete;
    TransferDouble& operator=(const TransferDouble&) = delete;

    // Every URL handed over while no stop was pending, in order.
    QStringList fetched;
    // Runs inside the transfer, before the page is saved (a stop, a
    // question); an abort it causes leaves the page unsaved.
    std::function<void(const QString& url)> during;
    // The stack address of every call: equal values, equal nesting.
    QList<quintptr> stackMarks;
    // Links looked up and found already listed or loaded.
    int knownLinks = 0;

private:
    void Transfer();
    void ListLinks(const SitePage& page);

    Site site_;
};

} // namespace testsupport
