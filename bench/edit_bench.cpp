// Times the list editor over generated work lists: listing KELPA.GOT, then
// arranging and removing over KELPA.NOT (both passes and the listing after),
// for 25,000 and 100,000 records or the counts given. Prints the seconds of
// each, the longest time the event loop went without a pass meanwhile, and
// how much more the largest count cost than the smallest.
//
//     edit_bench [records ...]      (default: 25000 100000)

#include "bench/BenchProgram.h"
#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/msgbox/MsgBox.h"
#include "platform/pump/Pump.h"
#include "tools/FormEdit.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
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

// Prints the figures of each count and, for two or more, how much more the
// last cost than the first.
void Measure(const QString& home, const QList<int>& sizes)
{
    FormEdit::Instance().Load();
    // Start-up's own work (the about window, the first painting) is over
    // before anything is measured.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 500)
        platform::WaitEvents(50);
    std::printf("%9s %10s %10s %10s %10s\n", "records", "listing s", "arrange s", "remove s",
                "gap ms");
    QList<Figures> all;
    for (int size : sizes) {
        const Figures f = TimeLists(home + QStringLiteral("/lists%1").arg(size), size);
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
}

} // namespace

int main(int argc, char** argv)
{
    // Every question of arrange and remove is answered Yes.
    return bench::Run(argc, argv, {{25000, 100000}, platform::vbYes, "ShowEdit=1\r\n"}, Measure);
}
