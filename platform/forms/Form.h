#pragma once
// Base of the program's windows. Each window is one object that lives as long
// as the program; Load() and Unload() open and close it: unloading hides the
// window and puts its controls back to their design state, loading runs
// Form_Load again to fill them.

#include "platform/forms/DesignState.h"
#include "platform/forms/Paced.h"

#include <QList>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>

class QMdiArea;
class QMdiSubWindow;

namespace platform {

class Form : public QWidget {
    Q_OBJECT
public:
    enum class Kind {
        MdiChild, // a child window inside the main window's document area
        TopLevel, // a window of its own (dialogs, the about box, the notes)
    };

    Form(Kind kind, const char* name);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    ~Form() override;

    // The main window's document area that MdiChild windows open in.
    static void SetMdiArea(QMdiArea* area);

    // Called by Show(true) once the window shows, in place of waiting for the
    // user: a hook that returns true has answered the window itself (closed
    // it), and Show returns at once; false lets the window wait as usual.
    // Tests answer modal windows through it. Returns the hook it replaces.
    using ModalHook = std::function<bool(Form&)>;
    static ModalHook SetModalHook(ModalHook hook);

    // Takes the design state: the controls as the constructor left them,
    // to which every unload returns them. A window takes it once, through
    // Built() or else at its first load.
    void TakeDesign();

    bool Loaded() const { return loaded_; }
    // A flag the program keeps for this window: 1 while loaded, 0 otherwise
    // (OptionsOpen, EditOpen ...). Set before Form_Load runs, cleared after
    // Form_Unload.
    void TrackOpenFlag(int16_t& flag) { openFlag_ = &flag; }
    // Loads the window when it is not loaded (runs Form_Load); does not show it.
    void Load();
    // Asks Form_QueryUnload and, unless it cancels, runs Form_Unload, hides the
    // window and restores its design state. Returns false when cancelled.
    bool Unload();
    // Loads when needed and shows. Modal: returns when the window is hidden or
    // unloaded, letting events run meanwhile.
    void Show(bool modal = false);
    // Makes a shown window the active one, in front of the others: a child
    // window the document area's active child (which also decides the order
    // in which the area stacks its children again later).
    void Activate();
    void Hide();
    bool Visible() const;
    // Moves a top-level window to the middle of the primary screen's
    // available area, its size unchanged.
    void CenterOnScreen();
    // Moves a window of its own that covers any of areas (outer rectangles,
    // screen pixels) or does not lie whole on its screen's available area to
    // where it covers none and lies on screen (ClearPlace.h); a window that
    // does neither keeps its place.
    void KeepClearOf(const QList<QRect>& areas);
    // The outer rectangle in screen pixels while the window shows (a child
    // window's frame included); empty otherwise.
    QRect ScreenRect() const;

    // A child window's frame takes a new caption at most once a frame (its
    // title bar is elided and laid out anew at every change, and a run
    // changes captions after every block it receives); Caption() is always
    // the caption last set.
    QString Caption() const;
    void SetCaption(const QString& caption);

    // Outer position and size in twips (inside the document area for a child).
    // Each reads back the twips last set as long as the window still has the
    // pixels they gave (1300 twips, 87 pixels, read 1300, not 1305); once
    // the window has moved or been resized, it reads its pixels in twips.
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    void SetLeft(double twips);
    void SetTop(double twips);
    void SetWidth(double twips);
    void SetHeight(double twips);
    void MoveTo(double left, double top, double width, double height);

    // 0 normal, 1 minimised, 2 maximised.
    int WindowState() const;
    void SetWindowState(int state);

protected:
    // Window events, overridden by the windows that handle them.
    virtual void Form_Load() {}
    virtual void Form_QueryUnload(int& cancel) { (void)cancel; }
    virtual void Form_Unload() {}

    // The user's close box asks for an unload.
    void closeEvent(QCloseEvent* event) override;
    // A new title may need a wider window (FitTitle).
    void changeEvent(QEvent* event) override;

private:
    QWidget* Frame() const; // the widget whose geometry is the window's outer one
    void EnsureFrame();

    void FrameCaption(const QString& caption);
    // A window of its own with a fixed width widens to show its whole title
    // when the design width is too narrow for it, its controls in the middle,
    // and narrows back to the design width for a shorter title.
    void FitTitle();

    // One coordinate read back: set when it still gives pixels.
    static double Kept(double set, int pixels);

    Kind kind_;
    // The twips last set for left, top, width and height; NaN before any.
    double setPlace_[4];
    bool loaded_ = false;
    bool designTaken_ = false;
    // A fixed-width window's width and its controls' left edge before any
    // title widened it.
    int designWidth_ = 0;
    int designLeft_ = 0;
    bool widened_ = false;
    DesignState design_;
    QPointer<QMdiSubWindow> subWindow_;
    int16_t* openFlag_ = nullptr;
    PacedText caption_; // a child window's frame caption
};

// A window just constructed, with its design state taken: whatever a caller
// changes before the window first loads (a button it shows, a text it sets)
// is not part of the design, and the next unload takes it back. Each
// window's one instance is made this way.
template <class Window> Window* Built(Window* window)
{
    window->TakeDesign();
    return window;
}

} // namespace platform
