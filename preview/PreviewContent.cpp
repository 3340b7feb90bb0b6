#include "preview/PreviewContent.h"

#include "preview/PreviewText.h"

namespace preview {

namespace {

bool PictureHead(const QByteArray& head)
{
    static const QByteArray signatures[] = {
        QByteArray("\x89PNG\r\n\x1a\n", 8),
        QByteArray("\xFF\xD8\xFF", 3),
        QByteArray("GIF87a"),
        QByteArray("GIF89a"),
        QByteArray("/* XPM */"),
        QByteArray("\0\0\1\0", 4), // icon
    };
    for (const QByteArray& signature : signatures)
        if (head.startsWith(signature))
            return true;
    if (head.startsWith("BM") && head.size() >= 14)
        return true;
    // Portable bitmaps: "P1" to "P6" and white space.
    return head.size() >= 3 && head.at(0) == 'P' && head.at(1) >= '1' && head.at(1) <= '6' &&
           QByteArray(" \t\r\n").contains(head.at(2));
}

QString Extension(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash =
        qMax(name.lastIndexOf(QLatin1Char('\\')), name.lastIndexOf(QLatin1Char('/')));
    return dot > slash ? name.mid(dot + 1).toLower() : QString();
}

} // namespace

Content ContentOf(const QString& name, const QByteArray& head)
{
    if (IsHtmlName(name))
        return Content::Html;
    const QString extension = Extension(name);
    static const QStringList textNames = {
        QStringLiteral("txt"), QStringLiteral("text"), QStringLiteral("css"),
        QStringLiteral("js"),  QStringLiteral("xml"),  QStringLiteral("csv"),
        QStringLiteral("log"), QStringLiteral("ini"),  QStringLiteral("json"),
        QStringLiteral("md"),  QStringLiteral("c"),    QStringLiteral("h")};
    if (textNames.contains(extension))
        return Content::Text;
    static const QStringList pictureNames = {
        QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("jpe"),
        QStringLiteral("gif"), QStringLiteral("bmp"), QStringLiteral("ico"),  QStringLiteral("ppm"),
        QStringLiteral("pgm"), QStringLiteral("pbm"), QStringLiteral("xpm")};
    if (PictureHead(head) || pictureNames.contains(extension))
        return Content::Picture;
    return Content::None;
}

} // namespace preview
