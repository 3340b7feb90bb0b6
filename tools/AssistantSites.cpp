#include "tools/AssistantSites.h"

#include "platform/convert/Convert.h"
#include "platform/files/Files.h"

namespace tools {

SiteWordText::SiteWordText(const QString& text) : list_(text) {}

void SiteWordText::Add(const QString& url)
{
    const QString word = settings::OnlySiteEntry(url).entry;
    if (!list_.Listed(word) && !word.isEmpty())
        list_.Add(word);
}

void AddListSites(SiteWordText& text, const QString& listFile, const std::function<bool()>& going)
{
    const int number = platform::FreeFile();
    if (platform::Open(listFile, platform::OpenMode::Input, number) != 0)
        return;
    QString url, name;
    bool read = platform::LineInput(number, url) == 0 && platform::LineInput(number, name) == 0;
    while (read && !platform::Eof(number)) {
        if (platform::LineInput(number, url) != 0)
            break;
        if (!platform::Trim(url).isEmpty())
            text.Add(url);
        read = platform::LineInput(number, name) == 0;
        if (!going())
            break;
    }
    platform::Close(number);
}

} // namespace tools
