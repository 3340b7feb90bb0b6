#pragma once
// The arithmetic of the preview windows, without widgets: where a picture is
// drawn in the preview area, where the controls go for a window size, where
// the arrange command and F6 put the window, and how a stored position is
// read back. Lengths are twips; a window's width and height are its outer
// size.

#include <QString>

namespace preview {

// The two window classes and the always-on-top one's reduced layout.
enum class Layout {
    Child,   // FormPreview: inside the main window, with a directory list
    Top,     // FormPreviewTop, file list and frame shown
    TopSmall // FormPreviewTop while the main window is minimised
};

// The preview area for a window size, and the size the window must be raised
// to (0: the size may stay). column: how much wider than designed the
// right-hand column is, taken from the preview area.
struct Box {
    int width = 0;
    int height = 0;
    double raiseWidthTo = 0;
    double raiseHeightTo = 0;
};
Box PreviewBox(Layout layout, double windowWidth, double windowHeight, double column = 0);

// A picture of natural size width x height (twips) placed in a box: shrunk
// keeping its aspect when larger, centred. percent is the zoom (100 when it
// fits); single-precision arithmetic as the program computes it.
struct Fit {
    float width = 0;
    float height = 0;
    float left = 0;
    float top = 0;
    int percent = 100;
};
Fit FitPicture(int boxWidth, int boxHeight, float width, float height);

// LabelInfo for a fitted picture of length bytes: " 45% (120532 bytes)" for
// a zoom between 1 and 99 percent, otherwise " 120532 bytes". bytesText is
// text 233 (" bytes"), bytesClose text 77 (" bytes)").
QString SizeLabel(qint64 length, const QString& bytesText);
QString ZoomLabel(int percent, qint64 length, const QString& bytesText, const QString& bytesClose);

// Places of the controls that follow the window size; a negative value means
// "unchanged" (the reduced layout leaves the right-hand column alone).
// column: how much wider than designed the right-hand column is (FormPreview).
struct Controls {
    double dirLeft = -1;   // VerzListe (FormPreview only)
    double dirWidth = -1;  // VerzListe
    double fileLeft = -1;  // DateiListe
    double fileWidth = -1; // DateiListe (FormPreview only)
    double frameLeft = -1; // Frame1
    double textWidth = 0;  // ListPreview and ListNoPreview
    double frameTop = 0;   // Frame1
    double fileHeight = 0; // DateiListe
    double textHeight = 0; // ListPreview and ListNoPreview
};
Controls ControlPlaces(Layout layout, double windowWidth, double windowHeight, double column = 0);

// Where the arrange command puts FormPreview: below the transfer window, as
// wide as the main window allows, leaving room for the main window's log
// panel and tool bar when they are shown.
struct Rect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};
struct MainWindowSpace {
    double width = 0;
    double height = 0;
    double transferHeight = 0;
    bool logShown = false;
    bool toolbarShown = false;
};
Rect AlignedChild(const MainWindowSpace& main, double currentHeight);

// FormPreviewTop snapped to the screen edges it lies within 1000 twips of;
// the size stays.
Rect SnappedTop(const Rect& window, double screenWidth, double screenHeight);

// A stored position "left,width,top,height" within the screen: a number
// outside the screen becomes 0 (left, top), 4600 (width) or 4200 (height); a
// part that cannot be read at all keeps the current value.
Rect StoredPlace(const QString& position, double screenWidth, double screenHeight,
                 const Rect& current);

} // namespace preview
