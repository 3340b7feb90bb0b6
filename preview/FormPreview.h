#pragma once
// The two preview windows: FormPreview, a child of the main window with a
// directory list, and FormPreviewTop, a window of its own kept above the
// others, which stays up, reduced, while the main window is minimised. Both
// list the files of the download directory and show one of them: a picture,
// fitted or at 100%, or a text or HTML file as up to 101 lines.

#include "platform/forms/Form.h"
#include "preview/PreviewGeometry.h"
#include "preview/PreviewPace.h"

#include <QFileSystemWatcher>
#include <QTimer>

#include <cstdint>

class DirectoryList;
class FileList;
class PictureBox;
class QCheckBox;
class QFrame;
class QLabel;
class QListWidget;

class PreviewWindow : public platform::Form {
    Q_OBJECT
public:
    // Shows the file named in PreviewFile: copies it to PreviewImage, then
    // shows a picture, text lines or the help list, and the size, zoom or
    // error in LabelInfo. Yields; a newer preview, or an unload, ends it.
    void Preview();
    // Fits the picture into the preview area; never reads the file.
    void Scaling();
    // Lists PreviewImage's lines in ListPreview (markup removed for HTML),
    // on a stream of its own. Yields per line.
    void HTMLLesen();
    // Arrange command: FormPreview below the transfer window, FormPreviewTop
    // snapped to the screen edges.
    virtual void AlignForm() = 0;

    // --- the file list, for the main window and the options window ---------
    // Points the directory list and the file list at folder and reads it;
    // 0, or the error (76: the folder does not exist; the list stays as it
    // was).
    int PointListAt(const QString& folder);
    // Reads the listed folder again, keeping the highlighted entry and the
    // scroll position, without previewing. During a run at most once a
    // second: a refresh asked for sooner follows when the second is up (and
    // then also updates a caption that shows the list).
    void RefreshFileList();
    // The transfer's preview of the file it receives: after a block (final
    // false) it previews when a preview is due (at most four a second); at
    // the end of a file (final true) it previews at once when due, else as
    // soon as one is due, showing the file PreviewFile names then.
    void FollowReception(bool final);
    // Reads the listed folder (its files, and the folder list's subfolders)
    // again now.
    void RefreshFileListNow();
    // Files in the list.
    int FileCount() const;
    // Shows or hides the file list.
    void ShowFileList(bool shown);
    // The list caption: "Preview (12 Files, C:\sites\)" for Directory.
    QString ListCaption() const;
    // Highlights the entry at row and previews it (none: -1).
    void SelectFile(int row);
    // The highlighted file's full path; empty when none.
    QString HighlightedPath() const;

    // Handlers.
    void DateiListe_Click();
    void DateiListe_DblClick();
    void DateiListe_KeyDown(int keyCode);
    void ImagePreview_Click();
    void ImagePreview_DblClick();
    void ListPreview_Click();
    void Form_Click();
    void Check100_Click();
    // Every key handler's common part: F12 hides the main window, F6 snaps
    // FormPreviewTop. True when the key was taken.
    bool CommonKey(int keyCode);

    PictureBox* ImagePreview = nullptr;
    QListWidget* ListPreview = nullptr;
    QListWidget* ListNoPreview = nullptr;
    FileList* DateiListe = nullptr;
    QFrame* Frame1 = nullptr;
    QLabel* LabelInfo = nullptr;
    QCheckBox* Check100 = nullptr;
    // Ticked: the preview does not follow every received block.
    QCheckBox* CheckOnClick = nullptr;

protected:
    PreviewWindow(Kind kind, const char* name, int16_t& openFlag, QString& position);
    void Form_Load() override;
    void Form_Unload() override;
    void Form_Resize();
    virtual preview::Layout CurrentLayout() const = 0;
    // How much wider than designed the right-hand column is (twips).
    virtual double ColumnExtra() const { return 0; }
    virtual void PlaceControls(const preview::Controls& places);
    // The folder of the highlighted file, as the window names it.
    virtual QString ListFolder() const = 0;
    // Watches the listed folder while the window is loaded (on), or no
    // folder (off): what other programs change there is listed by itself.
    void WatchListedFolder(bool on);
    // The list caption again, while the caption shows the list.
    void UpdateListCaption();
    // True once the directory list moved the file list away from the
    // folder PointListAt pointed it at.
    bool listMoved_ = false;

    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setupControls();
    void wireControls();
    void FillHelpList();
    // True while the preview started as number generation is still wanted.
    bool Current(unsigned generation) const;
    void SetWaitCursor(bool on);
    // Loads the picture at path into ImagePreview: at the box size, or at
    // its natural size when naturalSize and the readers may hold it whole;
    // 0 or 481 (not a picture the readers take: ImagePreview keeps what it
    // held).
    int LoadPicture(const QString& linuxPath, bool naturalSize);
    // Reads a PNG too large to decode whole straight into target's size;
    // yields, and ends when a newer preview starts.
    int LoadReducedPng(const QString& linuxPath, QSize target, QSize natural);
    void DeleteHighlighted();
    bool RefusedForTrash(const QString& path) const;
    void ReadListAgain();

    QString& position_;
    unsigned generation_ = 0;
    QString shownPath_;       // the file being shown, as a program path
    bool textFailed_ = false; // HTMLLesen could not open the file
    preview::Pace refreshPace_{1000};
    QTimer pendingRefresh_;
    QTimer pendingPreview_;
    QFileSystemWatcher folderWatch_;
    QString finishedFile_; // the received file whose preview is pending
};

class FormPreview final : public PreviewWindow {
    Q_OBJECT
public:
    static FormPreview& Instance();
    void AlignForm() override;

    void VerzListe_Change();
    void VerzListe_Click();

    DirectoryList* VerzListe = nullptr;

protected:
    preview::Layout CurrentLayout() const override { return preview::Layout::Child; }
    double ColumnExtra() const override;
    void PlaceControls(const preview::Controls& places) override;
    QString ListFolder() const override;

private:
    FormPreview();

    double laidColumn_ = 0; // the ColumnExtra the controls were placed for
};

class FormPreviewTop final : public PreviewWindow {
    Q_OBJECT
public:
    static FormPreviewTop& Instance();
    void AlignForm() override;
    // The reduced layout while the main window is minimised: picture only.
    void MinimalVorschau();
    // The normal layout again; the list caption replaces a user title.
    void NormalVorschau();

protected:
    preview::Layout CurrentLayout() const override;
    QString ListFolder() const override;
    void Form_Load() override;

private:
    FormPreviewTop();
};

namespace preview {
// Whether the transfer's automatic preview of the file being received may
// run now (at most four times a second), and if not, in how many ms.
bool AutomaticPreviewDue();
qint64 AutomaticPreviewWait();
} // namespace preview
