#pragma once
// The list editor "Read and Edit": lists the work lists of the current
// directory record by record with their count, shows the size of KELPA.LOG,
// opens it in the text editor or moves it to the recycle bin, copies a listed
// URL to the clipboard and opens it, and, while no run is active, moves the
// records of KELPA.NOT that a search text selects to the front or removes
// them.
//
// The class is implemented in three files:
//   FormEdit.cpp         the window, its geometry and the log frame
//   FormEditRead.cpp     listing a file, the list's double click and keys
//   FormEditArrange.cpp  arrange and remove over KELPA.NOT

#include "platform/forms/Form.h"

#include <QElapsedTimer>
#include <QStringList>

#include <cstdint>

class ListLines;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

class FormEdit final : public platform::Form {
    Q_OBJECT
public:
    static FormEdit& Instance();

    // Places the window at the top left of the main window's client area,
    // sized from the main window and its visible bars.
    void AlignForm();
    // After a line was logged: shows the size of KELPA.LOG and enables its
    // buttons when the log holds anything; else changes nothing.
    void LogRefresh();
    // Shows the log as it is on disk: its size and both buttons enabled, or
    // " (0 bytes)" and both disabled when it is gone or empty.
    void LogFromDisk();
    // The run started (running) or ended: FrameNOT usable only while idle,
    // the lists of a run (LINKS0.INP, LINKS1.INP, COMPLETE.ENP) only while
    // running. While a listing runs, those three follow at its end.
    void RunStateChanged(bool running);

    // Lists fileName (a name without folder is in the current directory)
    // line by line into ListRead and counts its records, yielding before each
    // line. The start controls of the main window stay disabled meanwhile. A
    // click on LabelLinkInfo stops it after the current record; a close asked
    // meanwhile closes the window after it.
    void Read(const QString& fileName);
    // Moves the records of KELPA.NOT that the search text selects to the front
    // (Arrange) or removes them (Remove), after asking; keeps the main
    // window's continuation list in step and logs what was done. KELPA.NOT is
    // replaced only as a whole and only when no run has started meanwhile.
    void Arrange();
    void Remove();

    // 1 while a list is being read; 0 when idle or a stop was asked; 2 when a
    // close was asked during a listing, an arrange or a remove.
    int16_t ListingState = 0;

    // --- controls (names as the program knows them) ---------------------------
    QGroupBox* FrameLog = nullptr;
    QPushButton* CommandReadLog = nullptr;
    QPushButton* CommandDeleteLog = nullptr;
    QGroupBox* Frame2 = nullptr;
    QPushButton* CommandLinks0 = nullptr;
    QPushButton* CommandLinks1 = nullptr;
    QPushButton* CommandNot = nullptr;
    QPushButton* CommandComplete = nullptr;
    QPushButton* CommandGot = nullptr;
    QPushButton* CommandList = nullptr;
    QLabel* LabelLinkInfo = nullptr;
    QListView* ListRead = nullptr;
    QGroupBox* FrameNOT = nullptr;
    QLineEdit* TextArrangeRemove = nullptr;
    QPushButton* CommandArrange = nullptr;
    QPushButton* CommandRemove = nullptr;
    // The lines ListRead shows, each kept whole.
    ListLines* Lines = nullptr;

    // --- handlers ---------------------------------------------------------------
    void CommandLinks0_Click();
    void CommandLinks1_Click();
    void CommandNot_Click();
    void CommandComplete_Click();
    void CommandGot_Click();
    void CommandList_Click();
    void CommandReadLog_Click();
    void CommandDeleteLog_Click();
    void LabelLinkInfo_Click();
    // A selected line beginning with "http://" or "file://" goes to the
    // clipboard and, after asking, to the browser.
    void ListRead_DblClick();
    // Delete (46) removes, Insert (45) arranges by the selected line, while
    // FrameNOT is enabled and no listing runs.
    void ListRead_KeyDown(int keyCode);
    void CommandArrange_Click();
    void CommandRemove_Click();
    void TextArrangeRemove_Change();
    // Enter (13) arranges; it never removes.
    void TextArrangeRemove_KeyPress(int keyAscii);

Q_SIGNALS:
    // A listing has read a record and counted count records so far.
    void recordListed(int32_t count);

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel) override;
    void Form_Unload() override;
    void Form_Resize();
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FormEdit();
    void setupControls();
    void wireControls();
    void SetCaptions();
    // The main window's start command and entry stay disabled while anything
    // here holds them; the last release enables them when no run is active.
    void HoldStart();
    void ReleaseStart();
    void SetListButtons(bool enabled);
    // The listing's lines so far go to the view; it follows the last one.
    void FlushListing(const QString& progress);
    // Both commands: the frame's controls disabled, KELPA.NOT checked, the
    // command run, the window closed when that was asked meanwhile.
    void RunListCommand(bool arrange);
    void ArrangeOrRemove(bool arrange);
    // After Yes: KELPA.NOT replaced by the scratch file when that holds the
    // passes' bytes, the continuation list in step, the list shown again
    // and, when replaced, the line logged.
    void ReplaceNot(bool arrange, int64_t bytes, int32_t selected, int32_t others,
                    const QString& search);

    int16_t layoutGuard_ = 0;
    int startHolds_ = 0;
    bool commandRunning_ = false;
    QStringList pending_;
    QElapsedTimer sinceFlush_;
};
