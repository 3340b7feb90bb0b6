// Times runs of the main window over generated input lists, with the transfer
// double standing in for the network: every page links to a few others, so
// that each run checks thousands of links against its work lists. Prints the
// links checked per second for each list size, so that growth shows.
//
//     run_bench [--preview] [size ...]      (default: 1000 10000)
//
// --preview runs each size twice into one folder, the preview window closed
// and then open on it; the stand-in transfer then updates the status line
// after every saved file and shows the file saved last in an open preview,
// as the real transfer does at the end of each exchange.

#include "bench/BenchProgram.h"
#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/files/Files.h"
#include "platform/msgbox/MsgBox.h"
#include "platform/pump/Pump.h"
#include "preview/FormPreview.h"
#include "tests/main/TransferDouble.h"
#include "transfer/FormHTTP.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <cstdio>
#include <ctime>

namespace {

constexpr int LinksPerPage = 4;

QString PageUrl(int i)
{
    return QStringLiteral("http://bench/p%1.html").arg(i);
}

// Page i links to pages spread over the whole list, earlier and later ones.
testsupport::Site GenerateSite(int size)
{
    testsupport::Site site;
    site.reserve(size);
    for (int i = 0; i < size; ++i) {
        const QStringList links{PageUrl((i * 7 + 1) % size), PageUrl((i * 31 + 3) % size),
                                PageUrl((i + 1) % size), PageUrl((i * 97 + 5) % size)};
        site.insert(
            PageUrl(i),
            testsupport::SitePage{QByteArray("<html>") + QByteArray::number(i) + "</html>", links});
    }
    return site;
}

void WriteInputList(int size)
{
    QFile file(QStringLiteral("KELPA.INP"));
    if (!file.open(QIODevice::WriteOnly))
        return;
    for (int i = 0; i < size; ++i)
        file.write(PageUrl(i).toUtf8() + "\r\n\r\n");
}

// The run's start defaults and the settings of a plain run over the input
// list, one level of links.
void PrepareListRun()
{
    using namespace KELPA;
    FormKelpa& form = FormKelpa::Instance();
    ResetRunDefaults();
    Depth = 1;
    Directory = QStringLiteral("site");
    StandardDirectory.clear();
    SubDirectories = 0;
    LongFilenames = 1;
    LocalBrowsing = 0;
    eMailAddresses = 0;
    RefreshHTML = 0;
    SaveHTML = 1;
    SaveSettingsAutomatically = 0;
    LogAllMessages = 0;
    InputFile = QStringLiteral("KELPA.INP");
    form.CheckRepeat->setChecked(false);
    form.CheckDauer->setChecked(false);
    form.CheckStart->setChecked(false);
    form.OptionNew->setChecked(true);
    form.CheckListe->setChecked(false);
    form.CheckListe->setChecked(true);
}

struct Result {
    double seconds = 0;
    double cpuSeconds = 0; // of the whole process, steadier on a busy machine
    int pages = 0;
    int links = 0;
};

Result TimeRun(const QString& folder, int size, bool withPreview, bool previewOpen)
{
    QDir().mkpath(folder);
    QDir::setCurrent(folder);
    WriteInputList(size);
    testsupport::TransferDouble transfer(GenerateSite(size));
    PrepareListRun();
    QString saved; // the file the stand-in saved last
    if (withPreview) {
        FormKelpa& form = FormKelpa::Instance();
        // The status line after each saved file, and the saved file in an
        // open preview, as the real transfer does.
        transfer.during = [&form, &saved](const QString&) {
            form.StatusZeile();
            if (KELPA::PreviewOpen == 1 && !saved.isEmpty()) {
                KELPA::PreviewFile = saved;
                FormPreview::Instance().FollowReception(true);
            }
            saved = KELPA::LocalFileName;
        };
        if (previewOpen) {
            form.CacheVerzeichnis();
            FormPreview::Instance().Show();
            FormPreview::Instance().CheckOnClick->setChecked(false);
        }
    }
    QElapsedTimer clock;
    clock.start();
    const std::clock_t cpu = std::clock();
    FormKelpa::Instance().CommandStart_Click();
    Result result;
    result.seconds = clock.nsecsElapsed() / 1e9;
    result.cpuSeconds = double(std::clock() - cpu) / CLOCKS_PER_SEC;
    result.pages = static_cast<int>(transfer.fetched.size());
    result.links = size * LinksPerPage;
    FormPreview::Instance().Unload();
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    bool withPreview = false;
    for (int i = 1; i < argc; ++i)
        withPreview = withPreview || QByteArray(argv[i]) == "--preview";
    return bench::Run(
        argc, argv, {{1000, 10000}, platform::vbNo, {}},
        [withPreview](const QString& home, const QList<int>& sizes) {
            std::printf("%8s %8s %8s %8s %10s %12s %10s %12s\n", "urls", "preview", "pages",
                        "links", "seconds", "links/s", "cpu s", "links/cpu s");
            for (int size : sizes) {
                for (const bool open :
                     withPreview ? QList<bool>{false, true} : QList<bool>{false}) {
                    const QString folder =
                        home + QStringLiteral("/run%1%2").arg(size).arg(open ? "open" : "");
                    const Result r = TimeRun(folder, size, withPreview, open);
                    std::printf("%8d %8s %8d %8d %10.2f %12.0f %10.2f %12.0f\n", size,
                                withPreview ? (open ? "open" : "closed") : "-", r.pages, r.links,
                                r.seconds, r.links / r.seconds, r.cpuSeconds,
                                r.links / r.cpuSeconds);
                    std::fflush(stdout);
                }
            }
        });
}
