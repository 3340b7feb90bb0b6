#pragma once
// The task assistant: up to six steps (kind of download, source, schedule,
// link limits, site lists, file types) that fill the options window, the
// main window's scheduler row and the start URL, or a prepared task file
// opened at step 1. It keeps no settings of its own. Exactly one step frame
// is visible; with Continue's caption it is the window's whole state.

#include "platform/forms/Form.h"

#include <cstdint>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

class FormAssistant final : public platform::Form {
    Q_OBJECT
public:
    static FormAssistant& Instance();

    // Writes the example task TEST.TSK into the current directory.
    void TaskSchreiben();

    // Moves between the steps; on a last step (or a task file at step 1)
    // hands the answers over. Nothing happens while a run is in progress.
    void CommandContinue_Click();
    void CommandBack_Click();

    void OptionKind_Click(); // Option1 ... Option4
    void OptionOpen_Click();
    void OptionOpen_DblClick();
    void OptionURL_Click();
    void OptionChoose_Click();
    void OptionChoose_DblClick();
    void TextOpen_Change();
    void TextUrl_Change();
    void TextChoose_Change();
    void CommandURL_Click();
    void CommandChoose_Click();

    void Option5_Click();
    void Option6_Click();
    void CheckStart_Click();
    void CheckDauer_Click();
    void CheckRepeat_Click();
    void VScroll1_Change();
    void VScroll2_Change();
    void VScroll3_Change();
    void Dauer_Click();
    void Dauer_DblClick();
    void Zeit_Click();
    void Zeit_DblClick();
    void Repeat_Click();
    void Repeat_DblClick();

    // Fills TextOnlySite with the site words of the start URL and of the
    // input list; Continue and Back wait meanwhile.
    void OnlySite();

    QGroupBox* Frame[7] = {}; // Frame[1] ... Frame[6]
    QPushButton* CommandBack = nullptr;
    QPushButton* CommandContinue = nullptr;

    QLabel* Label1 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QRadioButton* Option4 = nullptr;
    QRadioButton* OptionOpen = nullptr;
    QLineEdit* TextOpen = nullptr;

    QLabel* Label2 = nullptr;
    QRadioButton* OptionURL = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* TextURL = nullptr;
    QPushButton* CommandURL = nullptr;
    QRadioButton* OptionChoose = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* TextChoose = nullptr;
    QPushButton* CommandChoose = nullptr;

    QLabel* Label5 = nullptr;
    QRadioButton* Option5 = nullptr;
    QRadioButton* Option6 = nullptr;
    QLabel* Label6 = nullptr;
    QCheckBox* CheckStart = nullptr;
    QLabel* Zeit = nullptr;
    QScrollBar* VScroll2 = nullptr;
    QCheckBox* CheckDauer = nullptr;
    QLabel* Dauer = nullptr;
    QScrollBar* VScroll1 = nullptr;
    QCheckBox* CheckRepeat = nullptr;
    QLabel* Repeat = nullptr;
    QScrollBar* VScroll3 = nullptr;
    QLabel* Label7 = nullptr;

    QLabel* Label8 = nullptr;
    QRadioButton* Option7 = nullptr;
    QRadioButton* Option8 = nullptr;
    QRadioButton* Option9 = nullptr;
    QCheckBox* CheckRelozierungen = nullptr;

    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLineEdit* TextOnlySite = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QLineEdit* TextNoSite = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label14 = nullptr;

    QLabel* Label15 = nullptr;
    QCheckBox* CheckSounds = nullptr;
    QCheckBox* CheckEXE = nullptr;
    QCheckBox* CheckGIF = nullptr;
    QCheckBox* CheckJPG = nullptr;
    QCheckBox* CheckZIP = nullptr;
    QCheckBox* CheckTXT = nullptr;
    QCheckBox* CheckMovies = nullptr;
    QCheckBox* CheckJava = nullptr;
    QLabel* Label16 = nullptr;

protected:
    void Form_Load() override;
    void Form_Unload() override;
    // Return and Enter press the default button, Continue (Finish on a last
    // step), when it is enabled, wherever the focus is; Space presses the
    // button that has the focus.
    void keyPressEvent(QKeyEvent* event) override;

private:
    FormAssistant();
    void setupControls();
    void setupFrames12();
    void setupFrames34();
    void setupFrames56();
    void setupHandlers();
    void SetCaptions();
    // Frames, buttons and window grown to captions that need more lines.
    void FitSteps();
    // Shows step n's frame and hides the others.
    void ShowStep(int n);
    int VisibleStep() const;
    void FocusSource();
    bool IsContinue() const; // Continue reads "&Continue ->"
    // The source box of the chosen step-2 option holds a text.
    bool SourceGiven() const;
    void ContinueFor(const QLineEdit* box);
    // A schedule box unticked: Continue disabled unless another is ticked.
    void ScheduleOff();

    // The hand-over (FormAssistantFinish.cpp).
    void OpenTaskFile();
    void Finish();
    void ResetOptions();
    void HandSchedule();
    void HandRestrictions();
    void HandFileTypes();

    // The delay the main window had when the assistant opened, put back
    // when the assistant is left without a finish.
    int16_t keptStartInLeft_ = 0;
    QString keptStartInText_;
    bool handedOver_ = false;
    bool siteBusy_ = false;
};
