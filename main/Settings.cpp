#include "main/Settings.h"

#include "main/Kelpa.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"
#include "platform/pump/Pump.h"

#include <QRegularExpression>

namespace inifile {

namespace {

// The key of the line last read (trimmed, lower case) and its value.
QString InputLine;
QString KeyValue;

const QString IniName = QStringLiteral("KELPA.INI");
const QString MemoEnd = QStringLiteral("MemoTextEnd");

// A note line that reads as "MemoTextEnd" followed by blanks is written with
// one blank more, so that no line of a note ends its block; the reader takes
// that blank off again. Any other line stands as it is.
bool EndLineWithBlanks(const QString& line)
{
    if (!line.startsWith(MemoEnd))
        return false;
    for (qsizetype i = MemoEnd.size(); i < line.size(); ++i) {
        if (line.at(i) != QLatin1Char(' '))
            return false;
    }
    return true;
}

QString NoteLineWritten(const QString& line)
{
    return EndLineWithBlanks(line) ? line + QLatin1Char(' ') : line;
}

QString NoteLineRead(const QString& line)
{
    return EndLineWithBlanks(line) && line.size() > MemoEnd.size() ? line.chopped(1) : line;
}

// A value on one line: a line break in it would start a line of its own,
// which the reader would take for a key. Each break becomes a blank.
QString OneLine(QString value)
{
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}

// Splits a line at its first "=" into InputLine (the key, trimmed, lower
// case) and KeyValue (the value, trimmed). False without "=".
bool SplitLine(const QString& line)
{
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return false;
    KeyValue = platform::Trim(line.mid(equals + 1));
    InputLine = platform::Trim(line.left(equals)).toLower();
    return true;
}

// The slot (1 to 6) a key "page1" to "page6" names, else 0. Only the digits
// the writer writes count: "page\u00b9" names no slot.
int PageSlot(const QString& key)
{
    if (key.size() != 5 || !key.startsWith(QLatin1String("page")))
        return 0;
    const char16_t digit = key.at(4).unicode();
    return digit >= u'1' && digit <= u'6' ? digit - u'0' : 0;
}

// Opens file for input under the next free number (kept in FileNumber).
bool OpenInput(const QString& file, int& number)
{
    number = platform::FreeFile();
    KELPA::FileNumber = static_cast<int16_t>(number);
    return platform::Open(file, platform::OpenMode::Input, number) == 0;
}

// Hands every line to apply, yielding to the event loop before each, then
// closes the file.
template <typename Fn> void EachLine(int number, Fn apply)
{
    QString line;
    while (!platform::Eof(number)) {
        platform::DoEvents();
        if (platform::LineInput(number, line) != 0)
            break;
        apply(line);
    }
    platform::Close(number);
}

const Setting* FindKey(const QString& key)
{
    for (const Setting& setting : SettingsTable()) {
        if (setting.read && key == QString::fromLatin1(setting.key).toLower())
            return &setting;
    }
    return nullptr;
}

// Stores a non-empty value into variable: a text as it stands, a number only
// when the whole value converts and fits (a fraction rounded half to even).
void Store(const Variable& variable, const QString& value)
{
    bool ok = false;
    if (auto* const* text = std::get_if<QString*>(&variable)) {
        **text = value;
    } else if (auto* const* v16 = std::get_if<int16_t*>(&variable)) {
        const int16_t number = platform::CInt(value, &ok);
        if (ok)
            **v16 = number;
    } else if (auto* const* v32 = std::get_if<int32_t*>(&variable)) {
        const int32_t number = platform::CLng(value, &ok);
        if (ok)
            **v32 = number;
    }
}

bool Blank(const QString& text)
{
    return platform::Trim(text).isEmpty();
}

// The MemoText block after its key line: the lines up to "MemoTextEnd" or the
// end of the file, joined by CR LF behind the key line's value; "" when all
// of it is blank.
void ReadMemo(int number)
{
    QString memo = KeyValue;
    bool blank = Blank(memo);
    QString line;
    while (!platform::Eof(number)) {
        platform::DoEvents();
        if (platform::LineInput(number, line) != 0 || EndsNote(line))
            break;
        line = NoteLineRead(line);
        memo += QStringLiteral("\r\n") + line;
        blank = blank && Blank(line);
    }
    KELPA::MemoText = blank ? QString() : memo;
}

void ApplyLine(int number, const QString& line)
{
    if (!SplitLine(line))
        return;
    const QString& key = InputLine;
    if (const int slot = PageSlot(key)) {
        if (!KeyValue.isEmpty())
            KELPA::Page[slot] = KeyValue;
        return;
    }
    const Setting* setting = FindKey(key);
    if (setting == nullptr)
        return;
    if (setting->type == Type::Memo) {
        ReadMemo(number);
        return;
    }
    if (KeyValue.isEmpty())
        return;
    const bool elsewhere = !std::holds_alternative<std::monostate>(setting->readInto);
    Store(elsewhere ? setting->readInto : setting->variable, KeyValue);
}

QString ValueText(const Variable& variable)
{
    if (auto* const* text = std::get_if<QString*>(&variable))
        return platform::Trim(**text);
    if (auto* const* v16 = std::get_if<int16_t*>(&variable))
        return QString::number(**v16);
    if (auto* const* v32 = std::get_if<int32_t*>(&variable))
        return QString::number(**v32);
    return QString();
}

// Collects the file's lines in order, and the first error of any of them.
class Writer {
public:
    explicit Writer(int number) : number_(number) {}
    void Line(const QString& text)
    {
        const int error = platform::PrintLine(number_, text);
        if (error_ == 0)
            error_ = error;
    }
    void Line(const char* key, const QString& value)
    {
        Line(QLatin1String(key) + QLatin1Char('=') + OneLine(value));
    }
    int Close()
    {
        const int error = platform::Close(number_);
        return error_ != 0 ? error_ : error;
    }

private:
    int number_;
    int error_ = 0;
};

void WriteTaskKeys(Writer& out, const TaskKeys& task)
{
    for (int i = 0; i < 6; ++i)
        out.Line(QStringLiteral("Comment%1=").arg(i + 1) + OneLine(KELPA::Comment[i]));
    if (task.Repeat)
        out.Line("Repeat", platform::Trim(*task.Repeat));
    if (task.Start)
        out.Line("Start", platform::Trim(*task.Start));
    if (task.Time)
        out.Line("Time", platform::Trim(*task.Time));
    out.Line("UseList", task.UseList ? QStringLiteral("1") : QStringLiteral("0"));
    out.Line("TaskURL", platform::Trim(task.TaskURL));
    if (task.WindowsShutDown)
        out.Line("WindowsShutDown", QStringLiteral("1"));
}

void WriteSetting(Writer& out, const Setting& setting, bool settingsFile)
{
    switch (setting.type) {
    case Type::Memo: {
        static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
        const QStringList lines = KELPA::MemoText.split(lineBreak);
        out.Line(QLatin1String(setting.key) + QLatin1Char('=') + lines.first());
        for (qsizetype i = 1; i < lines.size(); ++i)
            out.Line(NoteLineWritten(lines.at(i)));
        out.Line(MemoEnd);
        break;
    }
    case Type::Pages:
        if (settingsFile) {
            for (int slot = 1; slot <= 6; ++slot)
                out.Line(QStringLiteral("Page%1=").arg(slot) +
                         OneLine(platform::Trim(KELPA::Page[slot])));
        }
        break;
    case Type::Text:
    case Type::Number:
        out.Line(setting.key, ValueText(setting.variable));
        break;
    }
}

} // namespace

bool OpensNote(const QString& key)
{
    return key == QLatin1String("memotext");
}

bool EndsNote(const QString& line)
{
    return line == MemoEnd;
}

bool ReadSettings(const QString& file, double screenWidth, double screenHeight)
{
    int number = 0;
    if (!OpenInput(file, number))
        return false;
    SetDefaults(screenWidth, screenHeight);
    InputLine.clear();
    EachLine(number, [number](const QString& line) { ApplyLine(number, line); });
    CheckSettings();
    return true;
}

bool ReadTaskKeys(const QString& file)
{
    using namespace KELPA;
    const std::pair<const char*, Variable> keys[] = {
        {"comment1", &Comment[0]}, {"comment2", &Comment[1]}, {"comment3", &Comment[2]},
        {"comment4", &Comment[3]}, {"comment5", &Comment[4]}, {"comment6", &Comment[5]},
        {"taskurl", &TaskURL},     {"uselist", &UseList},     {"repeat", &Repeat},
        {"time", &Time},           {"start", &Start},         {"windowsshutdown", &WindowsShutDown},
    };
    int number = 0;
    if (!OpenInput(file, number))
        return false;
    EachLine(number, [&keys](const QString& line) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            return;
        KeyValue = line.mid(equals + 1);
        InputLine = platform::Trim(line.left(equals)).toLower();
        if (KeyValue.isEmpty())
            return;
        for (const auto& [key, variable] : keys) {
            if (InputLine == QLatin1String(key))
                Store(variable, KeyValue);
        }
        // A file can only ask for a shutdown: 2, the run's "shut down now",
        // reads as that request.
        if (InputLine == QLatin1String("windowsshutdown") && WindowsShutDown == 2)
            WindowsShutDown = 1;
    });
    return true;
}

int WriteSettings(const QString& file, const TaskKeys& task)
{
    const int number = platform::FreeFile();
    KELPA::FileNumber = static_cast<int16_t>(number);
    if (const int error = platform::Open(file, platform::OpenMode::Replace, number))
        return error;
    Writer out(number);
    const bool settingsFile = file == IniName;
    if (!settingsFile)
        WriteTaskKeys(out, task);
    for (const Setting& setting : SettingsTable()) {
        if (setting.written)
            WriteSetting(out, setting, settingsFile);
    }
    return out.Close();
}

} // namespace inifile
