// The rules around the settings file: the range check, window positions
// within the screen, the scheduler labels and the task caption.

#include "main/Kelpa.h"
#include "main/Settings.h"
#include "tests/support/TestMain.h"

namespace {

// The variables the check looks at, by name.
std::variant<int16_t*, int32_t*, QString*> Variable(const QString& name)
{
    using namespace KELPA;
    const QHash<QString, std::variant<int16_t*, int32_t*, QString*>> variables = {
        {"AcceptMetaRefresh", &AcceptMetaRefresh},
        {"Depth", &Depth},
        {"HideMin", &HideMin},
        {"Images", &Images},
        {"InputFile", &InputFile},
        {"LongFilenames", &LongFilenames},
        {"MaxFileSize", &MaxFileSize},
        {"MaxkBytes", &MaxkBytes},
        {"MinFileSize", &MinFileSize},
        {"RecvBuffer", &RecvBuffer},
        {"Repeat", &Repeat},
        {"ShowEdit", &ShowEdit},
        {"Start", &Start},
        {"SubDirectories", &SubDirectories},
        {"Time", &Time},
        {"Timeout", &Timeout},
        {"UseList", &UseList},
        {"WindowState", &WindowState},
        {"WindowsShutDown", &WindowsShutDown},
    };
    return variables.value(name);
}

void Set(const QString& name, const QString& value)
{
    std::visit(
        [&value](auto* variable) {
            if constexpr (std::is_same_v<decltype(variable), QString*>)
                *variable = value;
            else
                *variable = static_cast<std::remove_pointer_t<decltype(variable)>>(value.toInt());
        },
        Variable(name));
}

QString Get(const QString& name)
{
    return std::visit(
        [](auto* variable) {
            if constexpr (std::is_same_v<decltype(variable), QString*>)
                return *variable;
            else
                return QString::number(*variable);
        },
        Variable(name));
}

} // namespace

class TestSettingsCheck : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void check_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Depth 100") << "Depth"
                                   << "100"
                                   << "0";
        QTest::newRow("Depth -1") << "Depth"
                                  << "-1"
                                  << "0";
        QTest::newRow("Depth 99") << "Depth"
                                  << "99"
                                  << "99";
        QTest::newRow("HideMin 0") << "HideMin"
                                   << "0"
                                   << "1";
        QTest::newRow("HideMin 1441") << "HideMin"
                                      << "1441"
                                      << "1";
        QTest::newRow("HideMin 1440") << "HideMin"
                                      << "1440"
                                      << "1440";
        QTest::newRow("MaxkBytes one above") << "MaxkBytes"
                                             << "2097153"
                                             << "0";
        QTest::newRow("MaxkBytes 2097152") << "MaxkBytes"
                                           << "2097152"
                                           << "2097152";
        QTest::newRow("MaxkBytes negative") << "MaxkBytes"
                                            << "-1"
                                            << "0";
        QTest::newRow("MinFileSize negative") << "MinFileSize"
                                              << "-5"
                                              << "0";
        QTest::newRow("MaxFileSize large") << "MaxFileSize"
                                           << "32767"
                                           << "32767";
        QTest::newRow("RecvBuffer 4096") << "RecvBuffer"
                                         << "4096"
                                         << "1024";
        QTest::newRow("RecvBuffer 8192") << "RecvBuffer"
                                         << "8192"
                                         << "8192";
        QTest::newRow("RecvBuffer 512") << "RecvBuffer"
                                        << "512"
                                        << "512";
        QTest::newRow("Timeout 3601") << "Timeout"
                                      << "3601"
                                      << "120";
        QTest::newRow("Timeout -1") << "Timeout"
                                    << "-1"
                                    << "120";
        QTest::newRow("Timeout 0") << "Timeout"
                                   << "0"
                                   << "0";
        QTest::newRow("Timeout 60") << "Timeout"
                                    << "60"
                                    << "60";
        QTest::newRow("Timeout 61") << "Timeout"
                                    << "61"
                                    << "60";
        QTest::newRow("Timeout 90 half to even") << "Timeout"
                                                 << "90"
                                                 << "120";
        QTest::newRow("Timeout 150 half to even") << "Timeout"
                                                  << "150"
                                                  << "120";
        QTest::newRow("Timeout 210 half to even") << "Timeout"
                                                  << "210"
                                                  << "240";
        QTest::newRow("Timeout 3600") << "Timeout"
                                      << "3600"
                                      << "3600";
        QTest::newRow("WindowState minimised") << "WindowState"
                                               << "1"
                                               << "0";
        QTest::newRow("WindowState maximised") << "WindowState"
                                               << "2"
                                               << "2";
        QTest::newRow("Images 5") << "Images"
                                  << "5"
                                  << "1";
        QTest::newRow("ShowEdit 5") << "ShowEdit"
                                    << "5"
                                    << "0";
        QTest::newRow("AcceptMetaRefresh -1") << "AcceptMetaRefresh"
                                              << "-1"
                                              << "1";
        QTest::newRow("AcceptMetaRefresh 0") << "AcceptMetaRefresh"
                                             << "0"
                                             << "0";
        QTest::newRow("InputFile empty") << "InputFile"
                                         << ""
                                         << "KELPA.INP";
        QTest::newRow("InputFile blank kept") << "InputFile"
                                              << " "
                                              << " ";
        QTest::newRow("UseList 2") << "UseList"
                                   << "2"
                                   << "0";
        QTest::newRow("WindowsShutDown 2") << "WindowsShutDown"
                                           << "2"
                                           << "2";
        QTest::newRow("WindowsShutDown 3") << "WindowsShutDown"
                                           << "3"
                                           << "0";
        QTest::newRow("Repeat 20 min") << "Repeat"
                                       << "20 min"
                                       << "20 min";
        QTest::newRow("Repeat 1500 min") << "Repeat"
                                         << "1500 min"
                                         << "";
        QTest::newRow("Repeat negative kept") << "Repeat"
                                              << "-5 min"
                                              << "-5 min";
        QTest::newRow("Repeat empty") << "Repeat"
                                      << ""
                                      << "";
        QTest::newRow("Repeat 0 min kept") << "Repeat"
                                           << " 0 min "
                                           << " 0 min ";
        QTest::newRow("Repeat 0 MIN emptied") << "Repeat"
                                              << "0 MIN"
                                              << "";
        QTest::newRow("Time 0 min emptied") << "Time"
                                            << "0 min"
                                            << "";
        QTest::newRow("Time 720") << "Time"
                                  << "720 min"
                                  << "720 min";
        QTest::newRow("Time 721") << "Time"
                                  << "721 min"
                                  << "";
        QTest::newRow("Start 336.0 h") << "Start"
                                       << "336.0 h"
                                       << "336.0 h";
        QTest::newRow("Start 336.1 h") << "Start"
                                       << "336.1 h"
                                       << "";
        QTest::newRow("Start .5 h") << "Start"
                                    << ".5 h"
                                    << ".5 h";
        QTest::newRow("Start without number") << "Start"
                                              << "h"
                                              << "";
    }
    void check()
    {
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(QString, expected);
        inifile::SetDefaults(12000, 9000);
        Set(name, value);
        inifile::CheckSettings();
        QCOMPARE(Get(name), expected);
    }

    void subDirectoriesFollowLongFilenames_data()
    {
        QTest::addColumn<int>("subDirectories");
        QTest::addColumn<int>("longFilenames");
        QTest::addColumn<int>("expected");
        QTest::newRow("1 with short names") << 1 << 0 << 0;
        QTest::newRow("5 with long names") << 5 << 1 << 1;
        QTest::newRow("0 with long names") << 0 << 1 << 0;
        QTest::newRow("1 while long names 5 become 1") << 1 << 5 << 1;
    }
    void subDirectoriesFollowLongFilenames()
    {
        QFETCH(int, subDirectories);
        QFETCH(int, longFilenames);
        QFETCH(int, expected);
        KELPA::SubDirectories = static_cast<int16_t>(subDirectories);
        KELPA::LongFilenames = static_cast<int16_t>(longFilenames);
        inifile::CheckSettings();
        QCOMPARE(KELPA::SubDirectories, int16_t(expected));
    }

    void position_data()
    {
        QTest::addColumn<QString>("position");
        QTest::addColumn<QString>("place"); // left,width,top,height
        QTest::newRow("inside") << "100,5000,200,4000"
                                << "100,5000,200,4000";
        QTest::newRow("edges kept") << "12000,12000,9000,9000"
                                    << "12000,12000,9000,9000";
        QTest::newRow("wider than the screen") << "0,20000,0,4000"
                                               << "0,12000,0,4000";
        QTest::newRow("negative left") << "-15,5000,200,4000"
                                       << "0,5000,200,4000";
        QTest::newRow("left beyond") << "12001,5000,200,4000"
                                     << "0,5000,200,4000";
        QTest::newRow("negative width") << "100,-1,200,4000"
                                        << "100,12000,200,4000";
        QTest::newRow("top beyond") << "100,5000,9001,4000"
                                    << "100,5000,0,4000";
        QTest::newRow("height beyond") << "100,5000,200,9001"
                                       << "100,5000,200,9000";
        QTest::newRow("blanks around numbers") << " 100 , 5000 ,200, 4000 "
                                               << "100,5000,200,4000";
        QTest::newRow("unreadable left zeroes top") << "x,5000,200,4000"
                                                    << "0,5000,0,4000";
        QTest::newRow("unreadable width") << "100,y,200,4000"
                                          << "100,12000,0,4000";
        QTest::newRow("unreadable height") << "100,5000,200,z"
                                           << "100,5000,200,9000";
        QTest::newRow("one number") << "100"
                                    << "0,12000,0,100";
        QTest::newRow("empty") << ""
                               << "0,12000,0,9000";
        QTest::newRow("a fifth part") << "1,2,3,4,5"
                                      << "1,2,3,9000";
    }
    void position()
    {
        QFETCH(QString, position);
        QFETCH(QString, place);
        const inifile::Place p = inifile::ParsePosition(position, 12000, 9000);
        QCOMPARE(inifile::PositionText(p.Left, p.Width, p.Top, p.Height), place);
    }

    void positionText()
    {
        QCOMPARE(inifile::PositionText(-15, 19200.0, 0, 11585),
                 QStringLiteral("-15,19200,0,11585"));
    }

    void timeProcs_data()
    {
        QTest::addColumn<QString>("timeProcs");
        QTest::addColumn<QStringList>("labels"); // Repeat, Dauer, Zeit
        QTest::addColumn<QList<int>>("bars");    // VScroll3, VScroll1, VScroll2
        QTest::newRow("default") << "20 min,60 min,8.0 h"
                                 << QStringList{"20 min", "60 min", "8.0 h"}
                                 << QList<int>{-20, -60, -80};
        QTest::newRow("tenths of an hour")
            << "1 min,720 min,.5 h" << QStringList{"1 min", "720 min", ".5 h"}
            << QList<int>{-1, -720, -5};
        QTest::newRow("no comma keeps two labels")
            << "8.0 h" << QStringList{"30 min", "45 min", "8.0 h"} << QList<int>{-30, -45, -80};
        QTest::newRow("one comma")
            << "5 min,2.5 h" << QStringList{"5 min", "45 min", "2.5 h"} << QList<int>{-5, -45, -25};
        QTest::newRow("halves to even")
            << "2.5 min,3.5 min,0.25 h" << QStringList{"2.5 min", "3.5 min", "0.25 h"}
            << QList<int>{-2, -4, -2};
        QTest::newRow("no numbers") << "a,b,c" << QStringList{"a", "b", "c"} << QList<int>{0, 0, 0};
    }
    void timeProcs()
    {
        QFETCH(QString, timeProcs);
        QFETCH(QStringList, labels);
        QFETCH(QList<int>, bars);
        const inifile::SchedulerLabels split =
            inifile::SplitTimeProcs(timeProcs, QStringLiteral("30 min"), QStringLiteral("45 min"));
        QCOMPARE((QStringList{split.Repeat, split.Dauer, split.Zeit}), labels);
        QCOMPARE((QList<int>{split.VScroll3, split.VScroll1, split.VScroll2}), bars);
        // Joined again the labels give the text back, where it held all three.
        if (timeProcs.count(QLatin1Char(',')) == 2)
            QCOMPARE(labels.join(QLatin1Char(',')), timeProcs);
    }

    void taskCaption_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("expected");
        QTest::newRow("appended") << "Kelpa - C:\\k\\"
                                  << "Kelpa - C:\\k\\ [new.tsk]";
        QTest::newRow("replaces the old task") << "Kelpa - C:\\k\\ [C:\\old.tsk]"
                                               << "Kelpa - C:\\k\\ [new.tsk]";
        QTest::newRow("bracket not at the end") << "Kelpa [x] y"
                                                << "Kelpa [x] y [new.tsk]";
    }
    void taskCaption()
    {
        QFETCH(QString, caption);
        QFETCH(QString, expected);
        QCOMPARE(inifile::TaskCaption(caption, QStringLiteral("new.tsk")), expected);
    }
};

KELPA_TEST_MAIN(TestSettingsCheck)
#include "test_settings_check.moc"
