#pragma once
// The download folder the unfinished work belongs to. Every run starts by
// emptying KELPA.NOT, so what that list holds was left by the last run that
// started here; the record "KELPA.DIR" in the current directory names the
// folder that run saved into, written as it starts, replaced whole, and so
// kept through an abrupt end and a new start. A completion saves there,
// whatever the download directory setting says meanwhile; a new search uses
// the setting.

#include <QString>

namespace unfinishedfolder {

// The record's name in the current directory.
extern const QString Record;

// The run starting now saves into folder (the download directory made
// absolute): the unfinished work it leaves belongs there. A record that
// cannot be written whole is deleted, so that no older run's folder is taken
// for this one's.
void Note(const QString& folder);
// The folder the record names; "" without one.
QString Noted();

// For a completion: directory (the download directory variable) becomes the
// noted folder unless it names that folder already; what it held is put
// aside as the setting.
void Enter(QString& directory);
// For a new search: directory gets back the setting Enter put aside, unless
// it was changed since. True when directory changed.
bool Leave(QString& directory);
// What the settings file holds for directory: the setting put aside while
// directory is the folder Enter gave it, directory itself otherwise.
QString Setting(const QString& directory);

} // namespace unfinishedfolder
