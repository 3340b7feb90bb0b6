#pragma once
// Whether a URL may be fetched: the site, word and file-type limits of the
// settings. Pure work over the shared state; nothing here logs, yields or
// touches a window.

#include <QString>

namespace transfer {

// Einschraenkung: reads Link (the URL), FileName (its local name, whose text
// after the last "." is the extension), Unrestricted, NoSite, OnlySiteRun,
// Images, MaskedImages, NoExternalBanners and Exclude. Sets LinkExcluded to 1
// when the URL must not be fetched, else 0. Clears Unrestricted when it was 1
// (that call lets the URL pass). Lists are words separated by blanks, compared
// without regard to case; a list is normalised in place when it is tested
// (NoSite and Exclude trimmed, and these and OnlySiteRun and MaskedImages end
// in one blank). A list of blanks alone restricts nothing.
void Einschraenkung();

// Ausschluss: the text that the transfer window shows in its link box for an
// excluded link, and logs when LogAllMessages is 1: Link & entry 106
// (" Exclusion resp. other site!") when RestHome is 1, else Link & entry 107.
QString AusschlussText();

// The home restriction of a run: adds host as a word to HomePrefix and to
// OnlySiteRun, each only when it is not one of their words already (ignoring
// case). Returns true when HomePrefix changed, so that the caller shows it in
// the options window's TextRestHome. An empty host changes nothing.
bool AddHomeHost(const QString& host);

} // namespace transfer
