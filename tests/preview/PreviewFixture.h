#pragma once
// Helpers for tests of the preview windows: a started main window, a
// download directory of files made for the case, pictures generated in
// several formats, and the desktop's calls recorded instead of made.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/files/Files.h"
#include "platform/forms/Twips.h"
#include "platform/pump/Pump.h"
#include "platform/shell/Desktop.h"
#include "platform/shell/System.h"
#include "preview/FileList.h"
#include "preview/FormPreview.h"
#include "preview/PictureBox.h"
#include "tests/main/StartupFixture.h"
#include "transfer/FormHTTP.h"

#include <QRegularExpression>

#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QStringList>

namespace testsupport {

// A picture of width x height pixels in format ("PNG", "JPEG", "GIF" ...).
inline QByteArray Picture(int width, int height, const char* format)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A fresh folder for the case holding a download directory "site" with
// the files given (name, contents); Directory names it.
inline void PrepareSite(const QList<std::pair<QString, QByteArray>>& files)
{
    EnterTestFolder();
    QDir().mkdir(QStringLiteral("site"));
    for (const auto& [name, bytes] : files)
        WriteFile(QStringLiteral("site/") + name, bytes);
    KELPA::Directory = platform::CurDir() + QStringLiteral("\\site\\");
    KELPA::Running = 0;
    KELPA::AbortTransfer = 0;
    KELPA::LastFile.clear();
    KELPA::LocalFileName.clear();
    KELPA::WindowState = 0;
    KELPA::UserTitle.clear();
}

inline void UnloadPreviews()
{
    FormPreview::Instance().Unload();
    FormPreviewTop::Instance().Unload();
}

// The entries of the file list, in order.
inline QStringList Entries(const PreviewWindow& window)
{
    QStringList names;
    const QAbstractItemModel* model = window.DateiListe->model();
    for (int row = 0; row < model->rowCount(); ++row)
        names.append(model->index(row, 0).data().toString());
    return names;
}

inline QStringList TextLines(const PreviewWindow& window)
{
    QStringList lines;
    for (int row = 0; row < window.ListPreview->count(); ++row)
        lines.append(window.ListPreview->item(row)->text());
    return lines;
}

// Records ShellExecuteA calls ("file | directory") while it lives.
class ShellRecorder {
public:
    ShellRecorder()
    {
        old_ = platform::SetShellExecuteHook([this](const QString& file, const QString& dir) {
            calls.append(file + QStringLiteral(" | ") + dir);
            return int(platform::SE_STARTED);
        });
    }
    ~ShellRecorder() { platform::SetShellExecuteHook(old_); }
    QStringList calls;

private:
    platform::ShellExecuteHook old_;
};

} // namespace testsupport
