#pragma once
// Scripted answers to the installer's windows, for tests that run it from
// the start-up: while a script lives it watches for the language dialog and
// the installation dialog and answers them as planned, recording what it
// saw. The background's reveal and the two-second wait are shortened.

#include "setup/FormBackground.h"
#include "setup/FormInstall.h"
#include "setup/FormLanguage.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <optional>

namespace setuptest {

struct InstallerPlan {
    enum class Language { Deutsch, English, CloseBox };
    Language language = Language::Deutsch;
    std::optional<QString> directory; // typed over the proposal when set
    bool install = true;              // false: Cancel instead of OK
};

class InstallerScript final : public QObject {
public:
    explicit InstallerScript(const InstallerPlan& plan) : plan_(plan)
    {
        FormBackground::Instance().Timer1.setInterval(1);
        FormInstall::Instance().Timer1.setInterval(1);
        QObject::connect(&poll_, &QTimer::timeout, this, [this] { Step(); });
        poll_.start(5);
    }

    QString Proposal;                // the directory the dialog proposed
    QString FinishedHeading;         // the heading of the finished view, if it came
    QString FinishedFocus;           // the control that has the focus there
    bool ReturnIgnored = false;      // Return there did not end the program
    bool ReturnedToChoosing = false; // OK came back after a failed installation

private:
    void Step()
    {
        FormLanguage& language = FormLanguage::Instance();
        if (language.Visible() && !languageAnswered_) {
            languageAnswered_ = true;
            if (plan_.language == InstallerPlan::Language::CloseBox)
                language.close();
            else {
                (plan_.language == InstallerPlan::Language::Deutsch ? language.Option2
                                                                    : language.Option1)
                    ->setChecked(true);
                language.Command1->click();
            }
            return;
        }
        FormInstall& install = FormInstall::Instance();
        if (!install.Visible() || FormBackground::Instance().Ending)
            return;
        if (!install.CommandOK->isHidden() && !okPressed_) {
            okPressed_ = true;
            Proposal = install.TextDirectory->text();
            if (plan_.directory)
                install.TextDirectory->setText(*plan_.directory);
            (plan_.install ? install.CommandOK : install.CommandCancel)->click();
        } else if (!install.CommandOK->isHidden()) {
            ReturnedToChoosing = true;
            install.CommandCancel->click();
        } else if (!install.Label4->isHidden() && FinishedHeading.isEmpty()) {
            FinishedHeading = install.Label2->text();
            QWidget* focus = install.focusWidget();
            FinishedFocus = focus ? focus->objectName() : QString();
            QTest::keyClick(focus ? focus : &install, Qt::Key_Return);
        } else if (!install.Label4->isHidden()) {
            ReturnIgnored = true;
            install.CommandCancel->click();
        }
    }

    InstallerPlan plan_;
    QTimer poll_;
    bool languageAnswered_ = false;
    bool okPressed_ = false;
};

// Puts the installer's windows back after a test that the installer ended.
inline void CloseInstaller()
{
    FormBackground::Instance().Unload();
    FormInstall::Instance().Unload();
    FormLanguage::Instance().Unload();
}

} // namespace setuptest
