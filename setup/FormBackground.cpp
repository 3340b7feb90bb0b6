#include "setup/FormBackground.h"

#include "main/Kelpa.h"
#include "platform/forms/Handlers.h"
#include "setup/FormInstall.h"
#include "setup/FormLanguage.h"
#include "setup/Pictures.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

FormBackground& FormBackground::Instance()
{
    static FormBackground* instance = platform::Built(new FormBackground);
    return *instance;
}

FormBackground::FormBackground() : Form(Kind::TopLevel, "FormBackground")
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 64));
    setPalette(palette);
    for (int n = 1; n <= 16; ++n) {
        const QByteArray name = "Image" + QByteArray::number(n);
        Image[n] = platform::Control<QLabel>(this, name.constData());
        Image[n]->setScaledContents(true);
        Image[n]->hide();
    }
    Image[1]->setPixmap(setup::BackgroundPicture());
    Timer1.setInterval(100);
    Timer1.setHandler([this] { platform::runGuarded([this] { Timer1_Timer(); }); });
}

QRect FormBackground::TilePlace(int n, const QSize& screen)
{
    const int row = (n - 1) / 4;
    const int column = (n - 1) % 4;
    const int left = column * screen.width() / 4;
    const int top = row * screen.height() / 4;
    return QRect(left, top, (column + 1) * screen.width() / 4 - left,
                 (row + 1) * screen.height() / 4 - top);
}

int FormBackground::RevealedAt(int counter)
{
    static const int order[] = {1, 3, 6, 8, 9, 11, 14, 16, 2, 4, 5, 7, 10, 12, 13, 15};
    return counter >= 1 && counter <= 16 ? order[counter - 1] : 0;
}

// Covers the primary screen, gives every tile the picture and its place, and
// starts the counter two ticks before the first tile.
void FormBackground::Form_Load()
{
    KELPA::FoundPos = -2;
    Ending = false;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    setGeometry(area);
    for (int n = 2; n <= 16; ++n)
        Image[n]->setPixmap(Image[1]->pixmap());
    for (int n = 1; n <= 16; ++n)
        Image[n]->setGeometry(TilePlace(n, area.size()));
    Timer1.setEnabled(true);
}

void FormBackground::Centre(QWidget* dialog) const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : geometry();
    QRect place(QPoint(), dialog->size());
    place.moveCenter(area.center());
    dialog->move(place.topLeft());
}

void FormBackground::Timer1_Timer()
{
    KELPA::FoundPos += 1;
    if (const int n = RevealedAt(KELPA::FoundPos))
        Image[n]->show();
    if (KELPA::FoundPos != 18)
        return;
    Timer1.setEnabled(false);
    FormLanguage::Instance().Show(true);
    FormInstall::Instance().Show(true);
    Unload();
}

// The background goes only with the program: closing it is the dialog's Cancel.
void FormBackground::Form_QueryUnload(int& cancel)
{
    (void)cancel;
    Timer1.setEnabled(false);
    FormInstall::Instance().CommandCancel_Click();
}
