#pragma once
// The options window: the settings that steer a run, each edit written to its
// settings variable at once (no OK, no Cancel). The window keeps no copy of
// the settings; it shows them when it loads. Setting a control from code runs
// its handler as a user's edit does, which the task assistant relies on.
//
// The class is implemented in several files, one per concern:
//   FormOptions.cpp            construction: the controls and their wiring
//   FormOptionsLoad.cpp        Form_Load, Form_Unload, the first showing
//   FormOptionsBoxes.cpp       number boxes, switches, site lists, pictures
//   FormOptionsFamilies.cpp    the exclusion list and its ten family boxes
//   FormOptionsDirectory.cpp   the download directory and "Dirs"
//   FormOptionsLayout.cpp      AlignForm, Form_Resize, the stored position
//   FormOptionsComplete.cpp    CompleteCheck, the completion offer

#include "platform/forms/Form.h"

#include <QString>

#include <array>
#include <cstdint>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class FormOptions final : public platform::Form {
    Q_OBJECT
public:
    // The window's texts are set in this size, as its dense design needs.
    static constexpr double OptionsFontPoints = 7;

    static FormOptions& Instance();

    // --- the completion offer (FormOptionsComplete.cpp) ----------------------
    // Reads KELPA.NOT (backed up to KELPA.BAK) and, unless the run was
    // stopped, repeats or the offer was made already, asks whether to
    // complete it, with the notes window out of the way meanwhile. Leaves the
    // decision in ContinueSearch, CompleteRequested (1 = start the completion
    // now; never cleared here) and CompletingNotLoaded, and selects the main
    // window's OptionContinue or OptionNew, whose handlers prepare the next
    // run. Starts no run itself. Without offer, a list that a run without
    // stop or repeat left is kept for a later completion, as the answer
    // Cancel keeps it.
    void CompleteCheck(bool offer = true);

    // --- placement (FormOptionsLayout.cpp) -----------------------------------
    // Puts the window below the transfer window, as wide as the main window
    // and as high as its bars leave; at the minimum height it reaches up over
    // the transfer window instead.
    void AlignForm();
    // Keeps the minimum size (8715 x 3850 twips) and lays the controls out
    // for the window's size; records WindowState. Nothing while minimised or
    // while OptionsLayoutBusy is 1.
    void Form_Resize();

    // --- the download directory and the site lists (FormOptionsDirectory.cpp)
    // Tests TextDirectory's text: a refused name sets DirectoryInvalid,
    // is reported (text 417) and emptied; an empty box takes the standard
    // directory. A text beginning with "/" is a Linux path and is converted
    // first.
    void DirCheck();
    // Derives a directory from the start URL (FormHTTP.Text1) below the
    // standard or the current directory and puts it into TextDirectory.
    void AutoDir();
    // Checks the directory, makes it absolute with a trailing "\" and shows
    // it in an open preview window.
    void NeuesVerzeichnis();
    // Adds the directory (or, when the user agrees, the host) of the start
    // URL and of every further URL of the ticked input list to TextOnlySite.
    // Reads the list under a file number of its own; a second call while one
    // walk runs does nothing.
    void OnlysiteDirs();

    // --- the exclusion list (FormOptionsFamilies.cpp) ------------------------
    // Sets the ten family boxes from TextExclude: 0 none, 1 all, 2 some of a
    // family's extensions listed as words.
    void ExcludeExt();
    // Appends FamilyExtension unless listed; removes its first occurrence.
    void TextExcludeErgaenzen();
    void TextExcludeReduzieren();

    // --- controls ------------------------------------------------------------
    // Limits.
    QGroupBox* Frame1 = nullptr;
    QLabel *Label11 = nullptr, *Label6 = nullptr;
    QLineEdit* TextTimeout = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* TextDepth = nullptr;
    QLabel *Label2 = nullptr, *Label8 = nullptr;
    QLineEdit* TextMinFileSize = nullptr;
    QLabel *Label3 = nullptr, *Label9 = nullptr;
    QLineEdit* TextMaxFileSize = nullptr;
    QLabel *Label12 = nullptr, *Label13 = nullptr;
    QLineEdit* TextMaxkBytes = nullptr;
    // Download switches.
    QGroupBox* Frame3 = nullptr;
    QCheckBox* CheckImages = nullptr;
    QCheckBox* CheckJavaApplets = nullptr;
    QCheckBox* CheckMetaRefresh = nullptr;
    QCheckBox* CheckRelocation = nullptr;
    QCheckBox* CheckEmailAddresses = nullptr;
    // Document switches.
    QGroupBox* FrameHTML = nullptr;
    QCheckBox* CheckLocalBrowsing = nullptr;
    QCheckBox* CheckSaveHTML = nullptr;
    QCheckBox* CheckLongFileNames = nullptr; // "8.3 File Names": ticked means LongFilenames 0
    QCheckBox* CheckSubDirectories = nullptr;
    // Sites to keep to.
    QGroupBox* Frame4 = nullptr;
    QLineEdit* TextOnlySite = nullptr;
    QCheckBox* CheckRestHome = nullptr;
    QLineEdit* TextRestHome = nullptr; // read-only: HomePrefix while RestHome is on
    QPushButton* CommandDel1 = nullptr;
    QPushButton* CommandDirs = nullptr;
    // Sites to leave out.
    QGroupBox* Frame5 = nullptr;
    QLineEdit* TextNoSite = nullptr;
    QPushButton* CommandDel2 = nullptr;
    // File types to leave out.
    QGroupBox* Frame2 = nullptr;
    QLineEdit* TextExclude = nullptr;
    QPushButton* CommandDel3 = nullptr;
    QCheckBox* CheckCGI = nullptr;
    QCheckBox* CheckDLL = nullptr;
    QCheckBox* CheckEXE = nullptr;
    QCheckBox* CheckGIF = nullptr;
    QCheckBox* CheckJPG = nullptr;
    QCheckBox* CheckMAP = nullptr;
    QCheckBox* CheckTXT = nullptr;
    QCheckBox* CheckZIP = nullptr;
    QCheckBox* CheckMovies = nullptr;
    QCheckBox* CheckSounds = nullptr;
    // Directory, background, icon and title rows.
    QLabel* Label5 = nullptr;
    QLineEdit* TextDirectory = nullptr;
    QPushButton* CommandChooseDirectory = nullptr;
    QPushButton* CommandAuto = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* TextPicture = nullptr;
    QPushButton* CommandChoosePicture = nullptr;
    QLabel* PictureBlack = nullptr;
    QLabel* PictureWhite = nullptr;
    QLabel* Label10 = nullptr;
    QLineEdit* TextUserIcon = nullptr;
    QPushButton* CommandChooseIcon = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* TextUserTitle = nullptr;
    QPushButton* CommandProfessionalOptions = nullptr;

    // --- handlers --------------------------------------------------------------
    // Number boxes: the typed number into its variable (rounded; one too large
    // for it keeps the old value, the time-out then 120), then INITest.
    void TextTimeout_Change();
    void TextDepth_Change();
    void TextMinFileSize_Change();
    void TextMaxFileSize_Change();
    void TextMaxkBytes_Change();
    // Leaving a number box: empty means 0; the box shows the kept value.
    void TextTimeout_LostFocus();
    void TextDepth_LostFocus();
    void TextMinFileSize_LostFocus();
    void TextMaxFileSize_LostFocus();
    void TextMaxkBytes_LostFocus();
    // Switches: ticked (1) writes 1, anything else 0; the dependent ones also
    // switch Save HTML, Sub-Directories, the home-site box and the transfer
    // window's target name.
    void CheckImages_Click();
    void CheckJavaApplets_Click();
    void CheckMetaRefresh_Click();
    void CheckRelocation_Click();
    void CheckEmailAddresses_Click();
    void CheckSaveHTML_Click();
    void CheckSubDirectories_Click();
    void CheckLocalBrowsing_Click();
    void CheckLongFileNames_Click();
    void CheckRestHome_Click();
    // Site lists: the trimmed text into NoSite / OnlySite (and OnlySiteRun);
    // leaving a box blanks every "http://" in it.
    void TextNoSite_Change();
    void TextOnlySite_Change();
    void TextNoSite_LostFocus();
    void TextOnlySite_LostFocus();
    void CommandDel1_Click();
    void CommandDel2_Click();
    void CommandDirs_Click();
    // Directory.
    void TextDirectory_Change();
    void TextDirectory_LostFocus();
    void CommandAuto_Click();
    void CommandChooseDirectory_Click();
    // Exclusion list (a family box's Click is the family step, FamilyClick).
    void TextExclude_Change();
    void TextExclude_LostFocus();
    void CommandDel3_Click();
    // Background, icon and title of the main window.
    void TextPicture_Change();
    void PictureBlack_Click();
    void PictureWhite_Click();
    void CommandChoosePicture_Click();
    void CommandChooseIcon_Click();
    void TextUserIcon_Change();
    void TextUserTitle_Change();
    void TextUserTitle_LostFocus();
    void CommandProfessionalOptions_Click();

    // The eight controls a run disables and its end enables again.
    std::array<QWidget*, 8> RunBoundControls() const;

    // 1 while Form_Load restores the position or Form_Resize lays out.
    int16_t OptionsLayoutBusy = 0;
    // 1 once the first showing (notes, completion offer) has run.
    int16_t OptionsFirstShown = 0;

protected:
    // Fills every control from the settings; disables the run-bound controls
    // during a run, where it leaves HomePrefix and OnlySiteRun as they are.
    void Form_Load() override;
    // Normalises the volume limit and the site lists, keeps the position.
    void Form_Unload() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    FormOptions();
    void setupControls();
    void setupLeftColumn();
    void setupRightColumn();
    void wireControls();
    void wireFamilies();
    void SetCaptions();
    void RestorePosition();
    void FirstShowing();
    // The family step of one box.
    void FamilyClick(QCheckBox* box);
    // The number rule of one box; the leaving rule of one box.
    void NumberChange(QLineEdit* box);
    void NumberLeave(QLineEdit* box);
    // The prefix removal on one site box.
    void RemoveHttpPrefixes(QLineEdit* box);

    bool walkingList_ = false; // OnlysiteDirs is walking the input list
    // Form_Load during a run: filling the boxes leaves the run's HomePrefix
    // and OnlySiteRun as they are.
    bool keepRun_ = false;
};
