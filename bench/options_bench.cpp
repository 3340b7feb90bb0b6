// Times two edits of the options window's only-list over N entries: "Dirs"
// over an input list of N distinct directories, and the "http://" removal
// on leaving a box of N prefixed words. Prints milliseconds per size, so
// that growth shows.
//
//     options_bench [entries ...]      (default: 1000 10000)

#include "bench/BenchProgram.h"
#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/files/Files.h"
#include "settings/FormOptions.h"
#include "texts/Sprache.h"
#include "transfer/FormHTTP.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// An input list of a start record and count records, each in a folder of
// its own.
void WriteInputList(const QString& path, int count)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write("http://h/start/x.html\r\nx.html\r\n");
    for (int i = 0; i < count; ++i)
        file.write(QStringLiteral("http://h/d%1/p.html\r\np.html\r\n").arg(i).toUtf8());
}

double Milliseconds(const QElapsedTimer& clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    QApplication app(argc, argv);
    QDir::setCurrent(home.path());
    TexteLaden(QStringLiteral("english"));
    const QList<int> sizes = bench::Sizes(argc, argv, {1000, 10000});

    FormKelpa& main = FormKelpa::Instance();
    FormOptions& options = FormOptions::Instance();
    options.OptionsFirstShown = 1;
    options.Show();
    FormHTTP::Instance().Text1->setText(QStringLiteral("http://h/start/x.html"));
    KELPA::InputFile = QStringLiteral("BENCH.INP");
    WriteInputList(KELPA::InputFile, 1);
    main.CheckListe->setEnabled(true);
    main.CheckListe->setChecked(true);

    std::printf("%8s %12s %12s %12s\n", "entries", "Dirs ms", "removal ms", "ns/entry");
    for (const int size : sizes) {
        WriteInputList(KELPA::InputFile, size);
        KELPA::ListFile = KELPA::InputFile;
        options.TextOnlySite->clear();
        QElapsedTimer clock;
        clock.start();
        options.OnlysiteDirs();
        const double dirs = Milliseconds(clock);
        const qsizetype added = options.TextOnlySite->text().count(QLatin1Char('/')) / 2;

        QString words;
        for (int i = 0; i < size; ++i)
            words += QStringLiteral("HTTP://h%1 ").arg(i);
        options.TextNoSite->setText(words);
        clock.restart();
        options.TextNoSite_LostFocus();
        const double removal = Milliseconds(clock);

        if (added != size + 1)
            std::printf("(%lld entries added of %d)\n", static_cast<long long>(added), size + 1);
        std::printf("%8d %12.1f %12.1f %12.0f\n", size, dirs, removal,
                    (dirs + removal) * 1e6 / size);
    }
    return 0;
}
