#include "preview/FormPreview.h"

#include "main/Kelpa.h"
#include "platform/forms/Handlers.h"

#include <QCheckBox>

PreviewWindow::PreviewWindow(Kind kind, const char* name, int16_t& openFlag) : Form(kind, name)
{
    TrackOpenFlag(openFlag);
    CheckOnClick = platform::Control<QCheckBox>(this, "CheckOnClick");
}

void PreviewWindow::Preview()
{
    KELPA::PreviewImage = KELPA::PreviewFile;
}

void PreviewWindow::Form_Load()
{
    Show();
}

QString PreviewWindow::ListCaption() const
{
    const auto& text = KELPA::LanguageText;
    return text[228] + QString::number(FileCount()) + text[229] + QStringLiteral(", ") +
           KELPA::Directory + QLatin1Char(')');
}

void PreviewWindow::RefreshFileList() {}

FormPreview& FormPreview::Instance()
{
    static FormPreview* instance = new FormPreview;
    return *instance;
}

FormPreview::FormPreview() : PreviewWindow(Kind::MdiChild, "FormPreview", KELPA::PreviewOpen) {}

FormPreviewTop& FormPreviewTop::Instance()
{
    static FormPreviewTop* instance = new FormPreviewTop;
    return *instance;
}

FormPreviewTop::FormPreviewTop()
    : PreviewWindow(Kind::TopLevel, "FormPreviewTop", KELPA::PreviewTopOpen)
{
}
