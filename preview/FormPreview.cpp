#include "preview/FormPreview.h"

#include "main/Kelpa.h"

PreviewWindow::PreviewWindow(Kind kind, const char* name, int16_t& openFlag) : Form(kind, name)
{
    TrackOpenFlag(openFlag);
}

void PreviewWindow::Form_Load()
{
    Show();
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
