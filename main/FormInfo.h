#pragma once
// The about window: version and title lines, a day or a night picture by the
// local time, and links to the product's web page and to a mail to its maker.
// Shown for two seconds at start-up (the main window's TimerInfo closes it)
// and on request; any click closes it.

#include "platform/forms/Form.h"

#include <QTime>

class QLabel;

class FormInfo final : public platform::Form {
    Q_OBJECT
public:
    static FormInfo& Instance();

    // Night (17:00 to 05:59) hides Image1, so that the night picture Image2
    // shows; day (06:00 to 16:59) shows Image1. An invalid time changes nothing.
    void DayOrNight(const QTime& time);

    // Open the web page or a mail to the maker; a failure is told in a box.
    // Both close the window.
    void LabelHTTP_Click();
    void LabelMAILTO_Click();

    QLabel* Label1 = nullptr; // version line
    QLabel* Label2 = nullptr;
    QLabel* Label5 = nullptr; // title line
    QLabel* Label6 = nullptr;
    QLabel* Image1 = nullptr; // day picture, lying on Image2
    QLabel* Image2 = nullptr; // night picture
    QLabel* LabelHTTP = nullptr;
    QLabel* LabelMAILTO = nullptr;

protected:
    void Form_Load() override;
    void Form_Unload() override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FormInfo();
    void Form_Click();
    void Form_LostFocus();
    // Makes the text lines as wide as the longest of their texts needs, never
    // narrower than designed, and the window wide enough for them.
    void FitTextLines();
    // Makes the link label bright bright (none when nullptr), the other dark.
    void LinkColours(const QLabel* bright);
    // The mouse moved over control (the window itself when nullptr): lights
    // the link under it, yielding before and after.
    void MouseMove(const QLabel* control);
};
