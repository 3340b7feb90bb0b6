#pragma once
// The conversation with Program Manager through which the installer creates
// the program group "Kelpa" and the removal program deletes it. Program
// Manager here is platform::ProgramManager: a folder of desktop entries.
// The installer and the removal program open and close it the same way
// (OpenGroupLink, CloseGroupLink).

#include "platform/shell/ProgramGroup.h"

#include <QString>

#include <optional>

namespace setup {

// Errors of the conversation, as the program knows them.
enum LinkError : int {
    ErrNoLinkAnswer = 282,   // no application answers the topic
    ErrLinkRefused = 285,    // the command was not carried out
    ErrLinkNotOpen = 294,    // a command without an open conversation
    ErrLinkTopicLocked = 296 // the topic changes only while no link is open
};

class ProgramGroupLink final {
public:
    enum Mode : int { None = 0, Automatic = 1, Manual = 2 };

    QString LinkTopic() const { return topic_; }
    // "Service|Topic"; 296 while a conversation is open.
    int SetLinkTopic(const QString& topic);

    int LinkMode() const { return mode_; }
    // Manual (or Automatic) opens the conversation with the topic's service:
    // 282 unless the topic is "PROGMAN|PROGMAN" (letter case aside). None
    // ends it.
    int SetLinkMode(int mode);

    // How long a command may take, in tenths of a second. Program Manager's
    // commands here are carried out at once, well within any wait.
    int LinkTimeout() const { return timeout_; }
    void SetLinkTimeout(int tenths) { timeout_ = tenths; }

    // Sends one command string ("[CreateGroup(Kelpa)]"): 0, 294 without a
    // conversation, 285 when Program Manager refuses it.
    int LinkExecute(const QString& commands);
    // What the entry of the item name tells beyond the command that adds it
    // (platform::ProgramManager::setItemDetails); 294 without a conversation.
    int SetItemDetails(const QString& name, const platform::ProgramItemDetails& details);

private:
    QString topic_;
    int mode_ = None;
    int timeout_ = 50;
    std::optional<platform::ProgramManager> manager_;
};

// Opens the conversation: up to 20 tries to set the topic "PROGMAN|PROGMAN"
// (yielding once after a failed one), manual mode, 10 yields to the event
// loop, a wait of 10 seconds for each command. Errors are ignored: without a
// conversation every later command fails.
void OpenGroupLink(ProgramGroupLink& link);
// Ends it: mode none, topic "".
void CloseGroupLink(ProgramGroupLink& link);

} // namespace setup
