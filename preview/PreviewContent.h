#pragma once
// Which kind of preview a file gets, from its name and its first bytes.

#include <QByteArray>
#include <QString>

namespace preview {

enum class Content {
    Picture, // shown in ImagePreview
    Html,    // listed without markup
    Text,    // listed line by line
    None     // the help list
};

// How many first bytes ContentOf looks at.
constexpr int HeadBytes = 16;

// HTML names (IsHtmlName) are HTML; plain-text names (".txt", ".css", ".js"
// ...) are text; a picture the base readers take (PNG, JPEG, GIF, BMP, ICO,
// PPM, XPM), recognised by its first bytes or by its name, is a picture;
// anything else gets the help list.
Content ContentOf(const QString& name, const QByteArray& head);

} // namespace preview
