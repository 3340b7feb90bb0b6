// The advanced settings dialog's design: its controls, their places (twips)
// and their wiring. The handlers are in FormProfessionalEvents.cpp.

#include "settings/FormProfessional.h"

#include "platform/forms/Clicks.h"
#include "platform/forms/Handlers.h"
#include "platform/forms/Twips.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

using platform::Control;
using platform::Move;
using platform::Placed;

namespace {

// The client area, in twips.
constexpr double ClientWidth = 7800;
constexpr double ClientHeight = 7995;

// A label and its text box on one row: the label at the left, the box from
// boxLeft to the right edge of the area that is areaWidth wide.
void Row(QLabel* label, QLineEdit* box, double top, double boxLeft, double areaWidth)
{
    Move(label, {120, top + 30, boxLeft - 180, 255});
    Move(box, {boxLeft, top, areaWidth - boxLeft - 120, 315});
}

// Four option buttons in two rows of two inside a frame 3840 wide.
void TwoByTwo(const std::array<QRadioButton*, 4>& options)
{
    for (int i = 0; i < 4; ++i)
        Move(options[i], {120.0 + (i % 2) * 1860, 300.0 + (i / 2) * 330, 1740, 255});
}

} // namespace

FormProfessional& FormProfessional::Instance()
{
    static FormProfessional* instance = platform::Built(new FormProfessional);
    return *instance;
}

FormProfessional::FormProfessional() : Form(Kind::TopLevel, "FormProfessional")
{
    setWindowFlag(Qt::Dialog);
    // The window and what lies on it take the tool-tip colours; text boxes and
    // buttons keep their own.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
    setPalette(colours);
    setAutoFillBackground(true);
    setFixedSize(platform::ToPixels(ClientWidth), platform::ToPixels(ClientHeight));
    setupHeaderControls();
    setupSwitches();
    setupButtons();
    wireControls();
}

void FormProfessional::setupHeaderControls()
{
    Frame7 = Control<QGroupBox>(this, "Frame7");
    Frame7->setTitle(QStringLiteral("HTTP Header"));
    Move(Frame7, {120, 60, 7560, 1740});
    const struct {
        QLabel*& label;
        const char* labelName;
        const char* caption;
        QLineEdit*& box;
        const char* boxName;
    } rows[] = {
        {Label9, "Label9", "Accept:", TextAccept, "TextAccept"},
        {Label1, "Label1", "Connection:", TextConnection, "TextConnection"},
        {Label3, "Label3", "UserAgent:", TextUserAgent, "TextUserAgent"},
        {Label5, "Label5", "If-Modified-Since:", TextIfModifiedSince, "TextIfModifiedSince"},
    };
    double top = 300;
    for (const auto& row : rows) {
        row.label = Control<QLabel>(Frame7, row.labelName);
        row.label->setText(QLatin1String(row.caption));
        row.box = Control<QLineEdit>(Frame7, row.boxName);
        Row(row.label, row.box, top, 1860, 7560);
        top += 345;
    }

    const auto group = [this](QGroupBox*& frame, const char* name, const char* title, double left) {
        frame = Control<QGroupBox>(this, name);
        frame->setTitle(QLatin1String(title));
        Move(frame, {left, 1920, 3720, 1260});
    };
    group(Frame5, "Frame5", "Host", 120);
    OptionHostDefault = Control<QRadioButton>(Frame5, "OptionHostDefault");
    OptionHostUserDefined = Control<QRadioButton>(Frame5, "OptionHostUserDefined");
    TextHost = Control<QLineEdit>(Frame5, "TextHost");
    group(Frame4, "Frame4", "Referer", 3960);
    OptionRefererDefault = Control<QRadioButton>(Frame4, "OptionRefererDefault");
    OptionRefererUserDefined = Control<QRadioButton>(Frame4, "OptionRefererUserDefined");
    TextReferer = Control<QLineEdit>(Frame4, "TextReferer");
    for (QWidget* frame : {static_cast<QWidget*>(Frame5), static_cast<QWidget*>(Frame4)}) {
        const auto children = frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        Move(children[0], {120, 285, 3480, 255});
        Move(children[1], {120, 570, 3480, 255});
        Move(children[2], {120, 855, 3480, 315});
    }
    OptionHostDefault->setChecked(true);
    OptionRefererDefault->setChecked(true);
    TextHost->setEnabled(false);

    Label2 = Control<QLabel>(this, "Label2");
    TextHeadline = Control<QLineEdit>(this, "TextHeadline");
    Row(Label2, TextHeadline, 3300, 1860, ClientWidth);
}

void FormProfessional::setupSwitches()
{
    Frame6 = Placed<QGroupBox>(this, "Frame6", {120, 3720, 3720, 495});
    Label11 = Placed<QLabel>(Frame6, "Label11", {120, 120, 2220, 255});
    TextHideMin = Placed<QLineEdit>(Frame6, "TextHideMin", {2400, 90, 660, 315});
    Label6 = Control<QLabel>(Frame6, "Label6");
    Label6->setText(QStringLiteral("min"));
    Move(Label6, {3120, 120, 420, 255});
    CheckProxy = Control<QCheckBox>(this, "CheckProxy");
    CheckProxy->setText(QStringLiteral("Proxy-Server:"));
    CheckProxy->setEnabled(false);
    Move(CheckProxy, {3960, 3840, 1800, 255});
    TextProxy = Control<QLineEdit>(this, "TextProxy");
    TextProxy->setEnabled(false);
    Move(TextProxy, {5820, 3810, 1860, 315});

    Frame3 = Placed<QGroupBox>(this, "Frame3", {120, 4320, 3840, 1020});
    Option10 = Control<QRadioButton>(Frame3, "Option10");
    Option20 = Control<QRadioButton>(Frame3, "Option20");
    Option30 = Control<QRadioButton>(Frame3, "Option30");
    Option60 = Control<QRadioButton>(Frame3, "Option60");
    TwoByTwo({Option10, Option20, Option30, Option60});
    Frame2 = Placed<QGroupBox>(this, "Frame2", {120, 5460, 3840, 1020});
    Option512 = Control<QRadioButton>(Frame2, "Option512");
    Option1024 = Control<QRadioButton>(Frame2, "Option1024");
    Option2048 = Control<QRadioButton>(Frame2, "Option2048");
    Option8192 = Control<QRadioButton>(Frame2, "Option8192");
    TwoByTwo({Option512, Option1024, Option2048, Option8192});
    const std::array<std::pair<QRadioButton*, const char*>, 8> options{{
        {Option10, "&10"},
        {Option20, "&20"},
        {Option30, "&30"},
        {Option60, "&60"},
        {Option512, "&512"},
        {Option1024, "&1024"},
        {Option2048, "2&048"},
        {Option8192, "&8192"},
    }};
    for (const auto& [option, caption] : options)
        option->setText(QLatin1String(caption));

    Frame1 = Placed<QGroupBox>(this, "Frame1", {4080, 4320, 3600, 2160});
    CheckGetHostByName = Control<QCheckBox>(Frame1, "CheckGetHostByName");
    CheckConnect = Control<QCheckBox>(Frame1, "CheckConnect");
    CheckSend = Control<QCheckBox>(Frame1, "CheckSend");
    CheckRecv = Control<QCheckBox>(Frame1, "CheckRecv");
    const char* blockingCaptions[] = {"&GetHostByName", "&Connect", "&Send", "&Recv"};
    for (int i = 0; i < 4; ++i) {
        QCheckBox* box = BlockingBoxes()[i];
        box->setText(QLatin1String(blockingCaptions[i]));
        Move(box, {120, 330.0 + i * 435, 3360, 255});
    }

    CheckAnalyse = Control<QCheckBox>(this, "CheckAnalyse");
    CheckLogAllMessages = Control<QCheckBox>(this, "CheckLogAllMessages");
    CheckParseJava = Control<QCheckBox>(this, "CheckParseJava");
    CheckParseJava->setEnabled(false);
    CheckRefreshHTML = Control<QCheckBox>(this, "CheckRefreshHTML");
    CheckUseRecycleBin = Control<QCheckBox>(this, "CheckUseRecycleBin");
    CheckNoBanners = Control<QCheckBox>(this, "CheckNoBanners");
    QCheckBox* const columns[2][3] = {{CheckAnalyse, CheckLogAllMessages, CheckParseJava},
                                      {CheckRefreshHTML, CheckUseRecycleBin, CheckNoBanners}};
    for (int column = 0; column < 2; ++column)
        for (int row = 0; row < 3; ++row)
            Move(columns[column][row], {120.0 + column * 3960, 6600.0 + row * 300, 3600, 255});
}

void FormProfessional::setupButtons()
{
    CommandReset = Placed<QPushButton>(this, "CommandReset", {120, 7500, 2400, 375});
    CommandCancel = Placed<QPushButton>(this, "CommandCancel", {4920, 7500, 1320, 375});
    CommandOK = Control<QPushButton>(this, "CommandOK");
    CommandOK->setText(QStringLiteral("&OK"));
    Move(CommandOK, {6360, 7500, 1320, 375});
}

void FormProfessional::wireControls()
{
    using platform::On;
    using platform::OnSelected;
    On(CommandOK, &QPushButton::clicked, this, &FormProfessional::CommandOK_Click);
    On(CommandCancel, &QPushButton::clicked, this, &FormProfessional::CommandCancel_Click);
    On(CommandReset, &QPushButton::clicked, this, &FormProfessional::CommandReset_Click);
    On(CheckConnect, &QCheckBox::stateChanged, this, &FormProfessional::CheckConnect_Click);
    On(CheckSend, &QCheckBox::stateChanged, this, &FormProfessional::CheckSend_Click);
    On(CheckRecv, &QCheckBox::stateChanged, this, &FormProfessional::CheckRecv_Click);
    OnSelected(OptionHostDefault, this, &FormProfessional::OptionHostDefault_Click);
    OnSelected(OptionHostUserDefined, this, &FormProfessional::OptionHostUserDefined_Click);
    OnSelected(OptionRefererDefault, this, &FormProfessional::OptionRefererDefault_Click);
    OnSelected(OptionRefererUserDefined, this, &FormProfessional::OptionRefererUserDefined_Click);
    platform::OnClicks(TextIfModifiedSince, this, nullptr,
                       &FormProfessional::TextIfModifiedSince_DblClick);
    // Esc presses the cancel button.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    On(escape, &QShortcut::activated, this, &FormProfessional::CommandCancel_Click);
}

std::array<QCheckBox*, 4> FormProfessional::BlockingBoxes() const
{
    return {CheckGetHostByName, CheckConnect, CheckSend, CheckRecv};
}
