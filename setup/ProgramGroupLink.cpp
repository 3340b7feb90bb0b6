#include "setup/ProgramGroupLink.h"

#include "platform/pump/Pump.h"

namespace setup {

namespace {

const QString ProgramManagerTopic = QStringLiteral("PROGMAN|PROGMAN");

} // namespace

int ProgramGroupLink::SetLinkTopic(const QString& topic)
{
    if (mode_ != None)
        return ErrLinkTopicLocked;
    topic_ = topic;
    return 0;
}

int ProgramGroupLink::SetLinkMode(int mode)
{
    if (mode == None) {
        mode_ = None;
        manager_.reset();
        return 0;
    }
    if (mode_ != None)
        return 0;
    if (topic_.compare(ProgramManagerTopic, Qt::CaseInsensitive) != 0)
        return ErrNoLinkAnswer;
    mode_ = mode;
    manager_.emplace();
    return 0;
}

int ProgramGroupLink::LinkExecute(const QString& commands)
{
    if (!manager_)
        return ErrLinkNotOpen;
    return manager_->execute(commands) == 0 ? 0 : ErrLinkRefused;
}

int ProgramGroupLink::SetItemDetails(const QString& name,
                                     const platform::ProgramItemDetails& details)
{
    if (!manager_)
        return ErrLinkNotOpen;
    manager_->setItemDetails(name, details);
    return 0;
}

void OpenGroupLink(ProgramGroupLink& link)
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (link.SetLinkTopic(ProgramManagerTopic) == 0)
            break;
        platform::DoEvents();
    }
    link.SetLinkMode(ProgramGroupLink::Manual);
    for (int pass = 0; pass < 10; ++pass)
        platform::DoEvents();
    link.SetLinkTimeout(100);
}

void CloseGroupLink(ProgramGroupLink& link)
{
    link.SetLinkMode(ProgramGroupLink::None);
    link.SetLinkTopic(QString());
}

} // namespace setup
