#pragma once
// The assistant's "Only URLs with:" text: the site word of the start URL
// and of each URL of an input list, every word once (letter case aside),
// one blank between words.

#include "settings/SiteWords.h"

#include <QString>

#include <functional>

namespace tools {

class SiteWordText {
public:
    explicit SiteWordText(const QString& text);

    // Appends the site word of url unless it is empty or listed. A text
    // that is not empty is first trimmed and given one trailing blank, so a
    // listed word leaves that blank behind and a new word follows it.
    void Add(const QString& url);

    const QString& Text() const { return list_.Text(); }

private:
    settings::SiteListText list_;
};

// Adds the site word of every URL of the input list file after its first
// record (URL line and local-name line), under a file number of its own.
// going() runs after each record; false ends the reading there. A list that
// cannot be opened or read adds nothing more.
void AddListSites(SiteWordText& text, const QString& listFile, const std::function<bool()>& going);

} // namespace tools
