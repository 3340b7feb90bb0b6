#pragma once
// The advanced settings dialog: request header values, the comment line of
// rewritten pages, blocking calls, time-out, receive buffer, hide minutes and
// rarer switches. A window of its own, shown modally by the options window.
// Loading fills the boxes from the settings variables; OK copies them back
// and closes; Cancel, Esc and the close box close without copying. Reset to
// default fills the boxes only. The dialog never touches the settings file.

#include "platform/forms/Form.h"

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class FormProfessional final : public platform::Form {
    Q_OBJECT
public:
    static FormProfessional& Instance();

    // --- controls (names as the program knows them) ---------------------------
    QGroupBox* Frame7 = nullptr; // HTTP Header
    QLabel* Label9 = nullptr;
    QLineEdit* TextAccept = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* TextConnection = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* TextUserAgent = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* TextIfModifiedSince = nullptr;
    QGroupBox* Frame5 = nullptr; // Host
    QRadioButton* OptionHostDefault = nullptr;
    QRadioButton* OptionHostUserDefined = nullptr;
    QLineEdit* TextHost = nullptr;
    QGroupBox* Frame4 = nullptr; // Referer
    QRadioButton* OptionRefererDefault = nullptr;
    QRadioButton* OptionRefererUserDefined = nullptr;
    QLineEdit* TextReferer = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* TextHeadline = nullptr;
    QGroupBox* Frame6 = nullptr; // Hide minutes
    QLabel* Label11 = nullptr;
    QLineEdit* TextHideMin = nullptr;
    QLabel* Label6 = nullptr;
    QCheckBox* CheckProxy = nullptr;
    QLineEdit* TextProxy = nullptr;
    QGroupBox* Frame3 = nullptr; // connect time-out
    QRadioButton* Option10 = nullptr;
    QRadioButton* Option20 = nullptr;
    QRadioButton* Option30 = nullptr;
    QRadioButton* Option60 = nullptr;
    QGroupBox* Frame2 = nullptr; // receive buffer
    QRadioButton* Option512 = nullptr;
    QRadioButton* Option1024 = nullptr;
    QRadioButton* Option2048 = nullptr;
    QRadioButton* Option8192 = nullptr;
    QGroupBox* Frame1 = nullptr; // blocking calls
    QCheckBox* CheckGetHostByName = nullptr;
    QCheckBox* CheckConnect = nullptr;
    QCheckBox* CheckSend = nullptr;
    QCheckBox* CheckRecv = nullptr;
    QCheckBox* CheckAnalyse = nullptr;
    QCheckBox* CheckLogAllMessages = nullptr;
    QCheckBox* CheckParseJava = nullptr;
    QCheckBox* CheckRefreshHTML = nullptr;
    QCheckBox* CheckUseRecycleBin = nullptr;
    QCheckBox* CheckNoBanners = nullptr;
    QPushButton* CommandReset = nullptr;
    QPushButton* CommandCancel = nullptr;
    QPushButton* CommandOK = nullptr;

    // --- handlers -----------------------------------------------------------
    void CommandOK_Click();
    void CommandCancel_Click();
    void CommandReset_Click();
    void CheckConnect_Click();
    void CheckSend_Click();
    void CheckRecv_Click();
    void OptionHostDefault_Click();
    void OptionHostUserDefined_Click();
    void OptionRefererDefault_Click();
    void OptionRefererUserDefined_Click();
    void TextIfModifiedSince_DblClick();

protected:
    void Form_Load() override;

private:
    FormProfessional();
    void setupHeaderControls();
    void setupSwitches();
    void setupButtons();
    void wireControls();
    void SetCaptions();
    void PlaceOverMainWindow();
    void FillControls();
    // The blocking boxes in chain order (GetHostByName, Connect, Send, Recv).
    std::array<QCheckBox*, 4> BlockingBoxes() const;
    void BlockingChain(int box);
};
