#include "platform/forms/Form.h"

#include "platform/forms/ClearPlace.h"
#include "platform/forms/OuterGeometry.h"
#include "platform/forms/TitleBar.h"
#include "platform/forms/Twips.h"
#include "platform/pump/Pump.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace platform {

namespace {
QPointer<QMdiArea> mdiArea;
Form::ModalHook modalHook;
} // namespace

double ScreenWidth()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? ToTwips(screen->availableGeometry().width()) : 0;
}

double ScreenHeight()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? ToTwips(screen->availableGeometry().height()) : 0;
}

Form::Form(Kind kind, const char* name)
    : QWidget(nullptr), kind_(kind),
      caption_([this](const QString& caption) { FrameCaption(caption); })
{
    std::fill(std::begin(setPlace_), std::end(setPlace_), std::nan(""));
    setObjectName(QLatin1String(name));
    if (kind_ == Kind::TopLevel)
        setWindowFlag(Qt::Window);
    hide();
}

Form::~Form()
{
    // The frame belongs to the document area; take this window out first.
    if (subWindow_) {
        setParent(nullptr);
        delete subWindow_;
    }
}

void Form::SetMdiArea(QMdiArea* area)
{
    mdiArea = area;
}

Form::ModalHook Form::SetModalHook(ModalHook hook)
{
    std::swap(modalHook, hook);
    return hook;
}

void Form::EnsureFrame()
{
    if (kind_ != Kind::MdiChild || subWindow_ || !mdiArea)
        return;
    subWindow_ = mdiArea->addSubWindow(this);
    subWindow_->setObjectName(objectName() + QLatin1String("Frame"));
    subWindow_->setAttribute(Qt::WA_DeleteOnClose, false);
    subWindow_->hide();
}

QWidget* Form::Frame() const
{
    if (subWindow_)
        return subWindow_;
    return const_cast<Form*>(this);
}

void Form::TakeDesign()
{
    design_.Take(this);
    designTaken_ = true;
}

void Form::Load()
{
    if (loaded_)
        return;
    EnsureFrame();
    if (!designTaken_)
        TakeDesign();
    loaded_ = true;
    if (openFlag_)
        *openFlag_ = 1;
    Form_Load();
}

bool Form::Unload()
{
    if (!loaded_)
        return true;
    int cancel = 0;
    Form_QueryUnload(cancel);
    if (cancel != 0)
        return false;
    Form_Unload();
    Frame()->hide();
    design_.Restore();
    loaded_ = false;
    if (openFlag_)
        *openFlag_ = 0;
    return true;
}

void Form::Show(bool modal)
{
    Load();
    if (!loaded_)
        return;
    FitTitle();
    if (modal)
        Frame()->setWindowModality(Qt::ApplicationModal);
    show();
    Frame()->show();
    Frame()->raise();
    if (!modal)
        return;
    // A copy: the hook may install another while it runs.
    if (const ModalHook hook = modalHook; hook && hook(*this)) {
        Frame()->setWindowModality(Qt::NonModal);
        return;
    }
    while (loaded_ && Frame()->isVisible())
        WaitEvents(100);
    Frame()->setWindowModality(Qt::NonModal);
}

void Form::Activate()
{
    if (auto* child = qobject_cast<QMdiSubWindow*>(Frame()); child && child->mdiArea()) {
        child->mdiArea()->setActiveSubWindow(child);
        return;
    }
    Frame()->raise();
    Frame()->activateWindow();
}

void Form::Hide()
{
    Frame()->hide();
}

bool Form::Visible() const
{
    return loaded_ && !Frame()->isHidden();
}

void Form::CenterOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

void Form::KeepClearOf(const QList<QRect>& areas)
{
    const QRect outer(ToPixels(Left()), ToPixels(Top()), ToPixels(Width()), ToPixels(Height()));
    const QScreen* screen = QGuiApplication::screenAt(outer.center());
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QPoint place = ClearPlace(outer, screen->availableGeometry(), areas);
    if (place != outer.topLeft())
        MoveTo(ToTwips(place.x()), ToTwips(place.y()), Width(), Height());
}

QRect Form::ScreenRect() const
{
    const QWidget* frame = Frame();
    if (!frame->isVisible())
        return {};
    const QRect outer = frame->frameGeometry(); // in its parent's coordinates
    if (frame->isWindow())
        return outer;
    return QRect(frame->parentWidget()->mapToGlobal(outer.topLeft()), outer.size());
}

QString Form::Caption() const
{
    return caption_.Last(Frame()->windowTitle());
}

void Form::SetCaption(const QString& caption)
{
    if (!subWindow_) {
        setWindowTitle(caption);
        return;
    }
    caption_.Set(caption);
}

void Form::FrameCaption(const QString& caption)
{
    setWindowTitle(caption);
    if (subWindow_)
        subWindow_->setWindowTitle(caption);
}

void Form::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowTitleChange)
        FitTitle();
}

void Form::FitTitle()
{
    if (subWindow_ || !isWindow() || minimumWidth() != maximumWidth())
        return;
    QList<QWidget*> controls;
    int left = width();
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow()) {
            controls.append(child);
            left = std::min(left, child->x());
        }
    }
    if (designWidth_ == 0) {
        designWidth_ = width();
        designLeft_ = left;
    }
    const int fitted = std::max(designWidth_, TitleBarWidth(windowTitle()));
    if (fitted == designWidth_ && !widened_)
        return;
    setFixedWidth(fitted);
    widened_ = fitted != designWidth_;
    // The controls stand in the middle of the wider window as they stood in
    // the design; measured from where they are, so that putting them back
    // to their design places in between does not matter.
    const int shift = designLeft_ + (fitted - designWidth_) / 2 - left;
    for (QWidget* control : controls)
        control->move(control->x() + shift, control->y());
}

double Form::Kept(double set, int pixels)
{
    return !std::isnan(set) && ToPixels(set) == pixels ? set : ToTwips(pixels);
}

double Form::Left() const
{
    return Kept(setPlace_[0], Frame()->frameGeometry().x());
}

double Form::Top() const
{
    return Kept(setPlace_[1], Frame()->frameGeometry().y());
}

double Form::Width() const
{
    return Kept(setPlace_[2], Frame()->frameGeometry().width());
}

double Form::Height() const
{
    return Kept(setPlace_[3], Frame()->frameGeometry().height());
}

void Form::SetLeft(double twips)
{
    MoveTo(twips, Top(), Width(), Height());
}

void Form::SetTop(double twips)
{
    MoveTo(Left(), twips, Width(), Height());
}

void Form::SetWidth(double twips)
{
    MoveTo(Left(), Top(), twips, Height());
}

void Form::SetHeight(double twips)
{
    MoveTo(Left(), Top(), Width(), twips);
}

void Form::MoveTo(double left, double top, double width, double height)
{
    EnsureFrame();
    setPlace_[0] = left;
    setPlace_[1] = top;
    setPlace_[2] = width;
    setPlace_[3] = height;
    // Sizes are outer sizes; the window system adds its frame to the client.
    SetOuterGeometry(Frame(),
                     QRect(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height)));
}

int Form::WindowState() const
{
    const Qt::WindowStates s = Frame()->windowState();
    if (s & Qt::WindowMinimized)
        return 1;
    if (s & Qt::WindowMaximized)
        return 2;
    return 0;
}

void Form::SetWindowState(int state)
{
    EnsureFrame();
    // A document window set to the state it already has would shrink to a
    // small default size; the state it has stands, with its place and size.
    if (state == WindowState())
        return;
    QWidget* frame = Frame();
    switch (state) {
    case 1:
        frame->setWindowState(Qt::WindowMinimized);
        break;
    case 2:
        frame->setWindowState(Qt::WindowMaximized);
        break;
    default:
        frame->setWindowState(Qt::WindowNoState);
        break;
    }
}

void Form::closeEvent(QCloseEvent* event)
{
    // The window closes only through Unload, which a handler may cancel.
    event->ignore();
    runGuarded([this] { Unload(); });
}

} // namespace platform
