// Times the chooser over folders of many files: from loading it in a folder
// of N files to its file list painted, a pattern change that shows a tenth of
// them, and a jump to the list's end, painted again. Prints milliseconds per
// size, so that growth shows.
//
//     chooser_bench [files ...]      (default: 5000 50000)

#include "bench/BenchProgram.h"
#include "main/Kelpa.h"
#include "platform/files/Files.h"
#include "texts/Sprache.h"
#include "tools/ChooserLists.h"
#include "tools/FormChoose.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

void MakeFiles(const QString& folder, int count)
{
    QDir().mkpath(folder);
    for (int i = 0; i < count; ++i) {
        // Nine of ten names end in ".dat", one in ".htm".
        const QString name = QStringLiteral("%1/file%2.%3")
                                 .arg(folder)
                                 .arg(i, 6, 10, QLatin1Char('0'))
                                 .arg(i % 10 == 0 ? QStringLiteral("htm") : QStringLiteral("dat"));
        QFile file(name);
        if (file.open(QIODevice::WriteOnly))
            file.close();
    }
}

double PaintedAfter(QElapsedTimer& clock, QWidget* list)
{
    list->repaint();
    QApplication::processEvents();
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    QApplication app(argc, argv);
    TexteLaden(QStringLiteral("english"));
    const QList<int> sizes = bench::Sizes(argc, argv, {5000, 50000});

    std::printf("%8s %12s %12s %12s %10s\n", "files", "open ms", "pattern ms", "end ms", "ns/file");
    for (const int size : sizes) {
        const QString folder = home.path() + QStringLiteral("/f%1").arg(size);
        MakeFiles(folder, size);
        QDir::setCurrent(folder);
        KELPA::ChooseFilter = QStringLiteral("*.*");
        KELPA::ChooseTitle = KELPA::LanguageText[67];
        FormChoose& chooser = FormChoose::Instance();

        QElapsedTimer clock;
        clock.start();
        chooser.Show();
        const double opened = PaintedAfter(clock, chooser.FileSearch);
        const qsizetype shown = chooser.FileSearch->Names().size();

        clock.restart();
        chooser.ComboSearch->setEditText(QStringLiteral("*.htm"));
        const double pattern = PaintedAfter(clock, chooser.FileSearch);

        chooser.ComboSearch->setEditText(QStringLiteral("*.*"));
        clock.restart();
        chooser.FileSearch->scrollToBottom();
        const double end = PaintedAfter(clock, chooser.FileSearch);

        chooser.Unload();
        if (shown != size)
            std::printf("(%lld files listed of %d)\n", static_cast<long long>(shown), size);
        std::printf("%8d %12.1f %12.1f %12.1f %10.0f\n", size, opened, pattern, end,
                    opened * 1e6 / size);
    }
    return 0;
}
