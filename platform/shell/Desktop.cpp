#include "platform/shell/Desktop.h"

#include "platform/files/Files.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <QWidget>

#include <utility>

namespace platform {

namespace {

ShellExecuteHook& shellExecuteHook()
{
    static ShellExecuteHook hook;
    return hook;
}

TextEditorHook& textEditorHook()
{
    static TextEditorHook hook;
    return hook;
}

// "http:", "mailto:", "file:" ...: a scheme of two letters or more, so that a
// drive letter ("C:") is not taken for one.
bool hasScheme(const QString& text)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(text).hasMatch();
}

bool isAbsoluteProgramPath(const QString& path)
{
    return (path.size() >= 2 && path.at(1) == QLatin1Char(':')) ||
           path.startsWith(QLatin1Char('\\')) || path.startsWith(QLatin1Char('/'));
}

// The Linux path of a "file://" URL: the program's own form ("file://C:\x",
// "file:///C|/x") by the drive map, any other as a local URL.
QString fileUrlPath(const QString& url)
{
    QString rest = url.mid(7);
    while (rest.startsWith(QLatin1Char('/')))
        rest.remove(0, 1);
    if (rest.size() >= 2 && (rest.at(1) == QLatin1Char(':') || rest.at(1) == QLatin1Char('|'))) {
        rest[1] = QLatin1Char(':');
        return ToLinuxPath(QUrl::fromPercentEncoding(rest.toUtf8()));
    }
    return QUrl(url).toLocalFile();
}

int openLocal(const QString& linuxPath)
{
    if (linuxPath.isEmpty() || !QFileInfo::exists(linuxPath))
        return SE_ERR_FNF;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(linuxPath)) ? SE_STARTED : SE_ERR_NOASSOC;
}

} // namespace

int ShellExecuteA(const QString& file, const QString& directory)
{
    if (shellExecuteHook())
        return shellExecuteHook()(file, directory);
    if (file.startsWith(QLatin1String("file://"), Qt::CaseInsensitive))
        return openLocal(fileUrlPath(file));
    if (hasScheme(file))
        return QDesktopServices::openUrl(QUrl(file)) ? SE_STARTED : SE_ERR_NOASSOC;
    if (file.isEmpty())
        return SE_ERR_FNF;
    QString path = file;
    if (!directory.isEmpty() && !isAbsoluteProgramPath(file))
        path = directory +
               (directory.endsWith(QLatin1Char('\\')) ? QString() : QStringLiteral("\\")) + file;
    return openLocal(ToLinuxPath(path));
}

bool OpenInTextEditor(const QString& path)
{
    if (textEditorHook())
        return textEditorHook()(path);
    const QString linuxPath = ToLinuxPath(path);
    return !linuxPath.isEmpty() && QFileInfo(linuxPath).isFile() &&
           QDesktopServices::openUrl(QUrl::fromLocalFile(linuxPath));
}

int SetWindowPos(QWidget* window, int insertAfter)
{
    if (window == nullptr || !window->isWindow())
        return 0;
    const bool onTop = insertAfter == HWND_TOPMOST;
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return 1;
    const bool shown = !window->isHidden();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (shown)
        window->show();
    return 1;
}

ShellExecuteHook SetShellExecuteHook(ShellExecuteHook hook)
{
    return std::exchange(shellExecuteHook(), std::move(hook));
}

TextEditorHook SetTextEditorHook(TextEditorHook hook)
{
    return std::exchange(textEditorHook(), std::move(hook));
}

} // namespace platform
