#pragma once
// The settings file KELPA.INI and the task files: key=value lines carried into
// and out of the variables of module KELPA. One table describes every key; the
// reader, the writer and the defaults all walk it. Nothing here touches a
// window: what the main window shows (scheduler labels, its own place) is
// handed back as plain values.

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace inifile {

// --- the key table -------------------------------------------------------------
enum class Type {
    Text,   // written trimmed, read unaltered
    Number, // 16- or 32-bit integer, written as decimal digits
    Memo,   // multi-line text, written up to a line "MemoTextEnd"
    Pages,  // Page1 to Page6 from Page slots 1 to 6; KELPA.INI only
};

// Where a key's value lives.
using Variable =
    std::variant<std::monostate, QString*, int16_t*, int32_t*, std::array<QString, 8>*>;

// A text default computed from the screen's width and height in twips.
using ScreenText = QString (*)(double screenWidth, double screenHeight);
struct Unchanged {};
// The value the reader sets before reading: none, a number, a text, or a text
// from the screen size.
using Default = std::variant<Unchanged, int32_t, QString, ScreenText>;

struct Setting {
    const char* key; // as the writer spells it
    Type type;
    Variable variable; // what the default sets and the writer writes
    Default initial;
    Variable readInto = {}; // when set, a line of the key sets this instead
    bool read = true;       // false: the reader ignores the key (Language)
    bool written = true;    // false: read, never written (ParseJava)
};

// Every key, in the writer's order.
const std::vector<Setting>& SettingsTable();

// The product's web address, named in defaults and messages.
inline constexpr const char* ProductAddress = "http://www.kelpa.example/";

// --- reading and writing ---------------------------------------------------------
// Sets every variable of the table that has a default to it.
void SetDefaults(double screenWidth, double screenHeight);

// Reads file as a settings file: defaults, every line (yielding to the event
// loop before each), then CheckSettings. Returns false, touching no setting,
// when the file cannot be opened. Unknown keys, lines without "=", empty
// values and numbers that do not convert leave the variables alone.
bool ReadSettings(const QString& file, double screenWidth, double screenHeight);

// The notes block: the line whose key is "MemoText" opens it, and every line
// after it belongs to the note, whatever it holds, up to a line that reads
// exactly "MemoTextEnd" or the end of the file. So a note never sets a key,
// for the reader as for start-up's look for the language.
bool OpensNote(const QString& key); // the key as split: trimmed, lower case
bool EndsNote(const QString& line);

// The task keys the writer puts first, as the main window's controls give
// them: the scheduler texts only while their boxes are ticked.
struct TaskKeys {
    std::optional<QString> Repeat; // label Repeat, when CheckRepeat is ticked
    std::optional<QString> Start;  // label Zeit, when CheckStart is ticked
    std::optional<QString> Time;   // label Dauer, when CheckDauer is ticked
    bool UseList = false;          // CheckListe ticked
    QString TaskURL;               // the transfer window's Text1
    bool WindowsShutDown = false;  // CheckWindowsShutDown ticked
};

// Writes every setting to file, replacing it only once the whole text is
// written (a failure leaves the old file as it was). The task keys come first
// unless file is exactly "KELPA.INI"; Page1 to Page6 only for "KELPA.INI".
// Returns 0 or the file error number. Does not run CheckSettings.
int WriteSettings(const QString& file, const TaskKeys& task);

// --- the settings check ------------------------------------------------------------
// Brings every setting and the task values UseList, Repeat, Time, Start and
// WindowsShutDown into their ranges, in place. Touches nothing else.
void CheckSettings();

// --- task files ----------------------------------------------------------------------
// The task reader's own pass over file: Comment1 to Comment6, TaskURL, UseList,
// Repeat, Time, Start and WindowsShutDown take a non-empty value as it stands
// (not trimmed; numbers that do not convert are ignored). Yields before each
// line. Returns false, touching no task value, when the file cannot be opened.
bool ReadTaskKeys(const QString& file);

// The caption with the task named in brackets at its end: an existing
// "[...]" ending is replaced, otherwise " [" & taskFile & "]" is appended.
QString TaskCaption(const QString& caption, const QString& taskFile);

// --- window positions -----------------------------------------------------------------
struct Place {
    double Left = 0;
    double Width = 0;
    double Top = 0;
    double Height = 0;
};

// A position text "left,width,top,height" (twips) within the screen: a left or
// top outside 0 to the screen's size becomes 0, a width or height outside it
// the screen's size. An unreadable left gives 0, an unreadable width the
// screen width; an unreadable height the screen height; top is 0 when it or
// one of the parts before it is unreadable.
Place ParsePosition(const QString& position, double screenWidth, double screenHeight);

// "left,width,top,height", each a decimal without blanks.
QString PositionText(double left, double width, double top, double height);

// --- scheduler labels -------------------------------------------------------------------
// TimeProcs taken apart into the labels Repeat, Dauer and Zeit and the values
// of their scroll bars VScroll3, VScroll1 and VScroll2 (minus the number at
// the start of each label, Zeit's times ten, rounded). A part without its ","
// leaves that label as it was (repeatNow, dauerNow) and its bar takes minus
// that label's number. The reader leaves TimeProcs holding Zeit, its last part.
struct SchedulerLabels {
    QString Repeat;
    QString Dauer;
    QString Zeit;
    int32_t VScroll3 = 0;
    int32_t VScroll1 = 0;
    int32_t VScroll2 = 0;
};
SchedulerLabels SplitTimeProcs(const QString& timeProcs, const QString& repeatNow,
                               const QString& dauerNow);

} // namespace inifile
