#include "main/FormKontext.h"

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/convert/Convert.h"
#include "platform/forms/Handlers.h"
#include "platform/forms/Twips.h"
#include "platform/pump/Pump.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

namespace {

void SetColour(QWidget* item, QPalette::ColorRole role)
{
    QPalette palette = item->palette();
    palette.setColor(QPalette::WindowText, QGuiApplication::palette().color(role));
    palette.setColor(QPalette::ButtonText, QGuiApplication::palette().color(role));
    item->setPalette(palette);
}

} // namespace

FormKontext& FormKontext::Instance()
{
    static FormKontext* instance = platform::Built(new FormKontext);
    return *instance;
}

FormKontext::FormKontext() : Form(Kind::TopLevel, "FormKontext")
{
    // A pop-up of the program's own: no caption and no window manager's
    // frame, placed where the program says, never where a window manager
    // would put it. It draws its own border (paintEvent).
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint);
    Label1 = platform::Control<QLabel>(this, "Label1");
    platform::Move(Label1, {120, 60, 2100, 225});
    Check1 = platform::Control<QCheckBox>(this, "Check1");
    platform::Move(Check1, {120, 285, 2100, 225});
    Check2 = platform::Control<QCheckBox>(this, "Check2");
    platform::Move(Check2, {120, 510, 2100, 225});
    Label2 = platform::Control<QLabel>(this, "Label2");
    platform::Move(Label2, {120, 735, 2100, 195});
    setMouseTracking(true);
    for (QWidget* item : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Check1),
                          static_cast<QWidget*>(Check2), static_cast<QWidget*>(Label2)}) {
        item->setMouseTracking(true);
        item->installEventFilter(this);
    }
    MoveTo(0, 0, 2400, 975);
}

void FormKontext::Form_Load()
{
    const auto& text = KELPA::LanguageText;
    Label1->setText(text[374]);
    Check1->setText(text[375]);
    Check2->setText(text[376]);
    Label2->setText(text[377]);
}

void FormKontext::Form_Activate()
{
    Check1->setChecked(KELPA::ShowToolbar == 1);
    Check2->setChecked(KELPA::ShowProtocol == 1);
    MoveTo(KELPA::PopupLeft, KELPA::PopupTop, Width(), 975);
}

void FormKontext::PopUp()
{
    if (Visible())
        Form_Activate();
    else
        Show();
    raise();
    // Taking the focus lets the main window's next activation close it.
    activateWindow();
}

void FormKontext::Form_DblClick()
{
    FormKelpa& main = FormKelpa::Instance();
    main.ShowLogNow();
    const QListWidgetItem* line = main.ListLogging->currentItem();
    if (!line || platform::Trim(line->text()).isEmpty())
        return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(line->text());
}

void FormKontext::Label1_MouseDown()
{
    FormKelpa::Instance().MenuAlign_Click();
    Unload();
}

void FormKontext::Check1_MouseDown()
{
    Check1->setChecked(!Check1->isChecked());
    FormKelpa::Instance().MenuToolbar_Click();
    platform::DoEvents();
    Unload();
}

void FormKontext::Check2_MouseDown()
{
    Check2->setChecked(!Check2->isChecked());
    FormKelpa::Instance().MenuProtocol_Click();
    platform::DoEvents();
    Unload();
}

void FormKontext::Highlight(const QWidget* item)
{
    for (QLabel* label : {Label1, Label2})
        SetColour(label, label == item ? QPalette::Highlight : QPalette::ButtonText);
    for (QCheckBox* check : {Check1, Check2})
        SetColour(check, check == item ? QPalette::Highlight : QPalette::WindowText);
}

void FormKontext::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    platform::runGuarded([this] { Form_Activate(); });
}

void FormKontext::paintEvent(QPaintEvent* event)
{
    Form::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    qDrawShadePanel(&painter, rect().adjusted(1, 1, -1, -1), palette());
}

void FormKontext::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape) {
        Form::keyPressEvent(event);
        return;
    }
    event->accept();
    platform::runGuarded([this] { Unload(); });
}

void FormKontext::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    platform::runGuarded([this] { Form_DblClick(); });
}

void FormKontext::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    Highlight(nullptr);
}

bool FormKontext::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        Highlight(static_cast<QWidget*>(watched));
    } else if (event->type() == QEvent::MouseButtonPress) {
        if (watched == Label1)
            platform::runGuarded([this] { Label1_MouseDown(); });
        else if (watched == Check1)
            platform::runGuarded([this] { Check1_MouseDown(); });
        else if (watched == Check2)
            platform::runGuarded([this] { Check2_MouseDown(); });
        else
            return Form::eventFilter(watched, event);
        return true;
    }
    return Form::eventFilter(watched, event);
}
