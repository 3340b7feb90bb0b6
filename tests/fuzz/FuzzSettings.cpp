// Fuzz entry point: a settings or task file read as the program reads a task
// (ReadTaskKeys, then ReadSettings). Whatever the bytes, reading ends, and a
// value differs from what the reader starts from only when a line of the
// text names its key before its first "=" (blanks around it and letter case
// ignored, as the reader matches keys): SubDirectories may also follow
// LongFilenames, and Language, which the reader passes over, never changes.

#include "main/Kelpa.h"
#include "main/Settings.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"

#include <QFile>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

constexpr double ScreenW = 12000;
constexpr double ScreenH = 9000;

// A value the reader may set, with the keys that may set it.
struct Slot {
    inifile::Variable variable;
    QStringList keys;
};

// The value of a variable as text, a number in decimal.
QString Render(const inifile::Variable& variable)
{
    return std::visit(
        [](const auto& target) -> QString {
            using Target = std::decay_t<decltype(target)>;
            if constexpr (std::is_same_v<Target, QString*>)
                return *target;
            else if constexpr (std::is_same_v<Target, int16_t*> || std::is_same_v<Target, int32_t*>)
                return QString::number(*target);
            else
                return QString();
        },
        variable);
}

std::vector<Slot> Slots()
{
    using namespace KELPA;
    std::vector<Slot> all;
    for (const inifile::Setting& setting : inifile::SettingsTable()) {
        const QString key = QString::fromLatin1(setting.key).toLower();
        if (setting.type == inifile::Type::Pages) {
            for (int slot = 1; slot <= 6; ++slot)
                all.push_back({&Page[slot], {QStringLiteral("page%1").arg(slot)}});
        } else if (!std::holds_alternative<std::monostate>(setting.readInto)) {
            all.push_back({setting.variable, {}});
            all.push_back({setting.readInto, {key}});
        } else if (!setting.read) {
            all.push_back({setting.variable, {}});
        } else if (key == QLatin1String("subdirectories")) {
            all.push_back({setting.variable, {key, QStringLiteral("longfilenames")}});
        } else {
            all.push_back({setting.variable, {key}});
        }
    }
    for (int i = 0; i < 6; ++i)
        all.push_back({&Comment[i], {QStringLiteral("comment%1").arg(i + 1)}});
    all.push_back({&TaskURL, {QStringLiteral("taskurl")}});
    all.push_back({&UseList, {QStringLiteral("uselist")}});
    all.push_back({&Repeat, {QStringLiteral("repeat")}});
    all.push_back({&Time, {QStringLiteral("time")}});
    all.push_back({&Start, {QStringLiteral("start")}});
    all.push_back({&WindowsShutDown, {QStringLiteral("windowsshutdown")}});
    return all;
}

// Every state the reader does not set itself, at a fixed value; then the
// defaults, brought into their ranges.
void Reset()
{
    using namespace KELPA;
    Language = QStringLiteral("english");
    MemoText.clear();
    Page.fill(QString());
    SaveHTML = 0;
    StartWindowState = 0;
    Comment.fill(QString());
    TaskURL.clear();
    UseList = 0;
    Repeat.clear();
    Time.clear();
    Start.clear();
    WindowsShutDown = 0;
    inifile::SetDefaults(ScreenW, ScreenH);
    inifile::CheckSettings();
}

// The keys of the text's lines, read both as UTF-8 and byte by byte, so that
// whichever way the file layer decodes a line its key is among them.
QSet<QString> KeysOf(QByteArray bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    bytes.replace('\r', '\n');
    QSet<QString> keys;
    for (const QByteArray& line : bytes.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals < 0)
            continue;
        const QByteArray key = line.left(equals);
        keys.insert(platform::Trim(QString::fromUtf8(key)).toLower());
        keys.insert(platform::Trim(QString::fromLatin1(key)).toLower());
    }
    return keys;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    static const QString linuxPath = folder.filePath(QStringLiteral("TASK.TSK"));
    static const QString path = platform::FromLinuxPath(linuxPath);
    static const std::vector<Slot> slots = Slots();

    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QFile file(linuxPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
    file.close();

    Reset();
    QStringList before;
    for (const Slot& slot : slots)
        before += Render(slot.variable);
    if (!inifile::ReadTaskKeys(path) || !inifile::ReadSettings(path, ScreenW, ScreenH))
        std::abort();

    const QSet<QString> keys = KeysOf(bytes);
    for (size_t i = 0; i < slots.size(); ++i) {
        if (Render(slots[i].variable) == before[qsizetype(i)])
            continue;
        const QStringList& allowed = slots[i].keys;
        if (std::none_of(allowed.begin(), allowed.end(),
                         [&keys](const QString& key) { return keys.contains(key); }))
            std::abort();
    }
    return 0;
}
