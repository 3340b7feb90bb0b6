#pragma once
// The transfer window: fetches one URL at a time. So far only the controls
// and procedures the main window reaches are here.

#include "platform/forms/Form.h"
#include "platform/pump/Timer.h"

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

class FormHTTP final : public platform::Form {
    Q_OBJECT
public:
    static FormHTTP& Instance();

    // Recomputes the target file name in Text2 from the URL in Text1.
    void Text2_Click();
    // Fetches Link into FileName: the transfer of one URL. Until the HTTP
    // client is built it runs the stand-in set with SetTransfer (tests), or
    // nothing.
    void Uebertragung();
    static void SetTransfer(std::function<void()> transfer);

    // --- links of a page (FormHTTPLinks.cpp) ---------------------------------
    // Handles the link found in CurrentTag at FoundPos: names, filters and
    // lists it, and rewrites the tag for local browsing.
    void InlineNamen();
    // Searches a saved (local) page for links and rewrites it in place.
    void Auswerten();
    // The same for a server-side image map file.
    void AuswertenMap();

    QLineEdit* Text1 = nullptr; // source URL
    QLineEdit* Text2 = nullptr; // target file name
    QLineEdit* TextLinks = nullptr; // the link under work
    QLabel* PictureHTTP = nullptr;
    QPushButton* CommandPaste = nullptr;
    QPushButton* CommandChooseFile = nullptr;
    platform::Timer TimerConnect;
    platform::Timer TimerTimeout;

private:
    FormHTTP();
};
