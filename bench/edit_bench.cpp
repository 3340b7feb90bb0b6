// Times the list editor over generated work lists: listing KELPA.GOT, then
// arranging and removing over KELPA.NOT (both passes and the listing after),
// for 25,000 and 100,000 records or the counts given. Prints the seconds of
// each, the longest time the event loop went without a pass meanwhile, and
// how much more the largest count cost than the smallest.
//
//     edit_bench [records ...]      (default: 25000 100000)

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/msgbox/MsgBox.h"
#include "tools/FormEdit.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

// Every tenth record lies in a folder "sel", which the search text selects.
void WriteList(const QString& name, int records)
{
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        return;
    QByteArray bytes;
    for (int i = 0; i < records; ++i) {
        const QByteArray n = QByteArray::number(i);
        const QByteArray folder = i % 10 == 0 ? "sel" : "dir" + QByteArray::number(i % 97);
        bytes += "http://bench.example/" + folder + "/page" + n + ".html\r\n" + folder + "_page" +
                 n + ".html\r\n";
        if (bytes.size() > (1 << 20)) {
            file.write(bytes);
            bytes.clear();
        }
    }
    file.write(bytes);
}

// The longest time between two ticks of a timer that asks for one every
// millisecond: how long the event loop went without running.
class GapWatch {
public:
    GapWatch()
    {
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout,
                         [this] { longest_ = std::max(longest_, clock_.restart()); });
    }
    void Start()
    {
        longest_ = 0;
        clock_.start();
        timer_.start();
    }
    qint64 StopMs()
    {
        timer_.stop();
        return std::max(longest_, clock_.elapsed());
    }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 longest_ = 0;
};

struct Figures {
    double listing = 0;
    double arrange = 0;
    double remove = 0;
    qint64 gapMs = 0;
};

template <typename Fn> double Seconds(GapWatch& gaps, Figures& f, Fn&& fn)
{
    QElapsedTimer clock;
    gaps.Start();
    clock.start();
    fn();
    const double seconds = clock.nsecsElapsed() / 1e9;
    f.gapMs = std::max(f.gapMs, gaps.StopMs());
    return seconds;
}

Figures TimeLists(const QString& folder, int records)
{
    QDir().mkpath(folder);
    QDir::setCurrent(folder);
    WriteList(QStringLiteral("KELPA.GOT"), records);
    WriteList(QStringLiteral("KELPA.NOT"), records);
    FormEdit& edit = FormEdit::Instance();
    GapWatch gaps;
    Figures f;
    f.listing = Seconds(gaps, f, [&] { edit.CommandGot->click(); });
    edit.TextArrangeRemove->setText(QStringLiteral("/SEL/"));
    f.arrange = Seconds(gaps, f, [&] { edit.CommandArrange->click(); });
    f.remove = Seconds(gaps, f, [&] { edit.CommandRemove->click(); });
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    if (!home.isValid())
        return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/.local/share")).toUtf8());
    QDir().mkpath(home.path() + QStringLiteral("/runtime"));
    QFile::setPermissions(home.path() + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", (home.path() + QStringLiteral("/runtime")).toUtf8());
    QApplication app(argc, argv);

    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.append(QString::fromLocal8Bit(argv[i]).toInt());
    if (sizes.isEmpty())
        sizes = {25000, 100000};

    // Every question of arrange and remove is answered Yes.
    platform::SetMsgBoxHandler(
        [](const QString&, int, const QString&) { return int(platform::vbYes); });
    QDir::setCurrent(home.path());
    QFile ini(QStringLiteral("KELPA.INI"));
    if (!ini.open(QIODevice::WriteOnly) || ini.write("Language=english\r\nShowEdit=1\r\n") < 0)
        return 2;
    ini.close();
    FormKelpa& form = FormKelpa::Instance();
    form.TimerInfo.setInterval(20);
    form.MDIForm_Load();
    FormEdit::Instance().Load();

    std::printf("%9s %10s %10s %10s %10s\n", "records", "listing s", "arrange s", "remove s",
                "gap ms");
    QList<Figures> all;
    for (int size : sizes) {
        const Figures f = TimeLists(home.path() + QStringLiteral("/lists%1").arg(size), size);
        all.append(f);
        std::printf("%9d %10.2f %10.2f %10.2f %10lld\n", size, f.listing, f.arrange, f.remove,
                    static_cast<long long>(f.gapMs));
        std::fflush(stdout);
    }
    if (all.size() >= 2) {
        const Figures& a = all.front();
        const Figures& b = all.back();
        std::printf("%9s %10.1f %10.1f %10.1f   (%d records against %d)\n", "ratio",
                    b.listing / a.listing, b.arrange / a.arrange, b.remove / a.remove, sizes.back(),
                    sizes.front());
    }
    return 0;
}
