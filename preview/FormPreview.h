#pragma once
// The two preview windows. So far only what the main window and the
// transfer reach: their open flags, their file list and caption, the showing
// of the file being received and the box that stops it following each block.

#include "platform/forms/Form.h"

class QCheckBox;

class PreviewWindow : public platform::Form {
    Q_OBJECT
public:
    // Shows the file named in PreviewFile: takes its name into PreviewImage.
    void Preview();
    // Ticked: the preview does not follow every received block.
    QCheckBox* CheckOnClick = nullptr;

    // Reads the download directory's files again; counts them.
    void RefreshFileList();
    // Places the window below the transfer window; not built yet.
    void AlignForm() {}
    int FileCount() const { return fileCount_; }
    // The list caption: "Preview (12 Files, C:\sites\)" for Directory.
    QString ListCaption() const;

protected:
    PreviewWindow(Kind kind, const char* name, int16_t& openFlag);
    void Form_Load() override;

private:
    int fileCount_ = 0;
};

class FormPreview final : public PreviewWindow {
    Q_OBJECT
public:
    static FormPreview& Instance();

private:
    FormPreview();
};

class FormPreviewTop final : public PreviewWindow {
    Q_OBJECT
public:
    static FormPreviewTop& Instance();

private:
    FormPreviewTop();
};
