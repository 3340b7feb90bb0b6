#pragma once
// The value of a link attribute: cut out of its tag, and the tag rewritten to
// point at the local copy. Tag text is bytes; what is written back is UTF-8;
// every other byte of the tag stays as it was. Nothing here touches the
// shared state, a file or a window.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace transfer {

struct LinkValue {
    QByteArray text;    // LinkText: the value as written in the tag, fragment included
    qsizetype from = 0; // where the value begins in the tag (from 0)
    QString link;       // to follow: fragment and a leading "./" cut, read by AttributeText
};

// The value of the attribute at foundPos (from 1) of tag: from after the first
// "=" after foundPos up to the next ">" (or the end); blanks trimmed, CR and
// LF read as blanks; an escaped opening quote (\") loses its backslash; a
// quoted value loses its quote and ends before the closing one (and before
// the backslash escaping it); an unquoted value ends at its first blank; a
// trailing " ALT=" is cut. text ends before a "'" after its first character
// and loses a leading "'", so that a rewrite never takes a closing quote or
// another attribute with it. No "=" gives an empty value.
LinkValue CutLinkValue(QByteArrayView tag, qsizetype foundPos);

// A value as written in an attribute, read as a browser reads it: its bytes
// as UTF-8 (as Latin-1 when they are not UTF-8), its character references
// decoded: decimal ("&#45;"), hexadecimal ("&#x2D;") and named ones, of the
// names that HTML escapes markup with (amp, lt, gt, quot, apos) and those of
// the Latin-1 characters 160 to 255 (nbsp, auml, szlig ...), which pages of
// that time write in names and queries. A name without its ";" counts unless
// "=" or a letter or digit follows, so that a query's "&copy=1" stays; apos
// needs its ";"; an unknown name stays as written. A reference to a tab, LF
// or CR is dropped.
QString AttributeText(QByteArrayView written);

// Where the fragment of a value as written begins: its first "#" that is no
// part of a character reference, or a reference that reads as "#"; -1 when
// it has none.
qsizetype FragmentStart(QByteArrayView written);

// With subdirectories the saved tree mirrors the server's, so only these
// links need the local reference: a value beginning with "http://" (any case),
// "/" or ".", or holding "?" or "=".
bool RewrittenWithSubDirectories(QByteArrayView linkText);

// With subdirectories a link that the rule above leaves as written must still
// name its saved file: true when linkText, read as a browser reads it (the
// fragment cut, "\\" as "/", percent-escapes decoded as UTF-8), is savedPath,
// the file's path relative to the page's own folder with "/" or "\\". A value
// holding "&" (an entity a browser would decode) or an escaped "/" or "\\"
// (part of a name to a browser) never counts as naming it.
bool NamesSavedFile(QByteArrayView linkText, const QString& savedPath);

// A value whose scheme is none the program fetches: two or more letters,
// digits, "+", "-" or "." and a ":" that no "//" follows ("javascript:",
// "data:", "tel:"). A single letter is a drive ("c:"), not a scheme.
bool UnfetchedScheme(const QString& link);

// The reference to write for a local name: UTF-8, with the characters that
// would end or change a reference (blank, quotes, "<", ">", "#", "%")
// percent-encoded and "&" written as "&amp;" (so that it decodes to the name),
// followed by the fragment of linkText (from its FragmentStart on) as written.
QByteArray LocalReference(const QString& localName, QByteArrayView linkText);

// Replaces the first occurrence of linkText (exact bytes) at or after from in
// tag by reference; false, and tag unchanged, when there is none.
bool ReplaceLinkText(QByteArray& tag, qsizetype from, QByteArrayView linkText,
                     QByteArrayView reference);

} // namespace transfer
