#pragma once
// The advanced settings dialog's rules, without widgets: the blocking chain,
// the Hide minutes, the offered time-outs and buffer sizes, the defaults that
// Reset puts into the boxes, and the dialog's place.

#include <QString>

#include <array>
#include <cstdint>

namespace advanced {

// The blocking boxes in chain order: ticking one ticks and disables every box
// before it in this order (Receive needs Send, Send needs Connect, Connect
// needs the name look-up).
enum Blocking { GetHostByName = 0, Connect = 1, Send = 2, Recv = 3 };

struct BlockingBoxes {
    std::array<bool, 4> ticked{};
    std::array<bool, 4> enabled{true, true, true, true};
};

// The click of box (Connect, Send or Recv) as it now stands: ticked, every
// box before it is ticked and disabled; cleared, only the box just before it
// is enabled (it stays ticked). GetHostByName has no click of its own.
void BlockingClick(BlockingBoxes& boxes, Blocking box);

// HideMin from the Hide box: the number the text begins with (0 when none),
// rounded to a whole number, halves to the even neighbour; a result below 1,
// above 1440 or beyond 16 bits gives 1.
int16_t HideMinutes(const QString& text);

// The connect time-outs offered (seconds) and the receive buffer sizes
// (characters), in the order of their option buttons; the last one of each
// stands for any other stored value.
inline constexpr std::array<int16_t, 4> TimeOuts{10, 20, 30, 60};
inline constexpr std::array<int16_t, 4> BufferSizes{512, 1024, 2048, 8192};
// The option a stored value selects: its own, else the last one.
int OptionIndex(const std::array<int16_t, 4>& offered, int16_t stored);

// What Reset to default puts into the boxes. The texts are the settings
// file's own defaults of the keys they edit.
struct Defaults {
    QString HeadLine;
    QString Accept;
    QString Connection;
    QString UserAgent;
    QString IfModifiedSince;
    QString HideMin;
    BlockingBoxes blocking;
    int16_t ConnectTO = 60;
    int16_t RecvBuffer = 1024;
    bool UseRecycleBin = true; // every other switch is cleared
};
Defaults ResetDefaults();

// The If-Modified-Since example a double click puts into its box.
QString IfModifiedSinceExample();

// One coordinate of the dialog's place (twips): centred on the main window,
// or on the screen when the main window starts below 0 or beyond half the
// screen.
double CentredOn(double mainStart, double mainSize, double ownSize, double screenSize);

} // namespace advanced
