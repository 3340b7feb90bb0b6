// The options window's rules without the window: number boxes, the "http://"
// removal, the site entries of "Dirs", the duplicate test, the file-type
// families and the download directory.

#include "settings/DirectoryRules.h"
#include "settings/FileFamilies.h"
#include "settings/NumberRule.h"
#include "settings/SiteWords.h"
#include "tests/support/TestMain.h"

#include <QTest>

using namespace settings;

namespace {

const FileFamily& Family(const char* box)
{
    for (const FileFamily& family : FileFamilies()) {
        if (QLatin1String(family.box) == QLatin1String(box))
            return family;
    }
    qFatal("no family %s", box);
}

} // namespace

class TestOptionsRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numbers16_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "90" << true << 90;
        QTest::newRow("leading blanks") << "   12" << true << 12;
        QTest::newRow("letters after the number") << "12abc" << true << 12;
        QTest::newRow("no number") << "abc" << true << 0;
        QTest::newRow("empty") << "" << true << 0;
        QTest::newRow("half to even down") << "2.5" << true << 2;
        QTest::newRow("half to even up") << "3.5" << true << 4;
        QTest::newRow("negative") << "-7" << true << -7;
        QTest::newRow("largest") << "32767" << true << 32767;
        QTest::newRow("smallest") << "-32768" << true << -32768;
        QTest::newRow("one beyond 16 bits") << "32768" << false << 5;
        QTest::newRow("far beyond 16 bits") << "99999999999" << false << 5;
    }
    void numbers16()
    {
        QFETCH(QString, text);
        QFETCH(bool, stored);
        QFETCH(int, value);
        int16_t variable = 5;
        QCOMPARE(StoreBoxNumber(text, variable), stored);
        QCOMPARE(int(variable), value);
    }

    void numbers32_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<qint64>("value");
        QTest::newRow("beyond 16 bits fits") << "2097153" << true << qint64(2097153);
        QTest::newRow("largest") << "2147483647" << true << qint64(2147483647);
        QTest::newRow("beyond 32 bits") << "2147483648" << false << qint64(5);
    }
    void numbers32()
    {
        QFETCH(QString, text);
        QFETCH(bool, stored);
        QFETCH(qint64, value);
        int32_t variable = 5;
        QCOMPARE(StoreBoxNumber(text, variable), stored);
        QCOMPARE(qint64(variable), value);
    }

    void httpRemoval_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("box");
        QTest::newRow("none") << " site "
                              << " site ";
        const auto blanks = [](int n) { return QString(n, QLatin1Char(' ')); };
        QTest::newRow("one word") << "http://site" << blanks(7) + "site";
        QTest::newRow("capitals") << "HTTP://site" << blanks(7) + "site";
        QTest::newRow("mixed case") << "hTtP://site" << blanks(7) + "site";
        QTest::newRow("two words") << "HTTP://a http://b"
                                   << "a" + blanks(8) + "b";
        QTest::newRow("three words") << "http://a http://b http://c"
                                     << "a" + blanks(8) + "b" + blanks(8) + "c";
        QTest::newRow("blanks around") << "  http://a  " << blanks(7) + "a";
        QTest::newRow("inside a word") << "xhttp://y"
                                       << "x" + blanks(7) + "y";
        QTest::newRow("trailing prefix") << "a http://"
                                         << "a" + blanks(8);
    }
    void httpRemoval()
    {
        QFETCH(QString, text);
        QFETCH(QString, box);
        QCOMPARE(WithoutHttpPrefixes(text), box);
        QVERIFY(!HoldsHttpPrefix(WithoutHttpPrefixes(text)));
    }

    void onlySiteEntry_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("directory");
        QTest::newRow("page in a directory") << "http://host/dir/page.html"
                                             << "/dir/" << true;
        QTest::newRow("deeper page") << "http://host/dir/sub/page.html"
                                     << "/sub/" << true;
        QTest::newRow("directory itself") << " HTTP://host/dir/ "
                                          << "/dir/" << true;
        QTest::newRow("page at the root") << "http://h/page.html"
                                          << "h" << false;
        QTest::newRow("host with port") << "http://h:8080/"
                                        << "h:8080" << false;
        QTest::newRow("host alone") << "host"
                                    << "host" << false;
    }
    void onlySiteEntry()
    {
        QFETCH(QString, url);
        QFETCH(QString, entry);
        QFETCH(bool, directory);
        const SiteEntry got = OnlySiteEntry(url);
        QCOMPARE(got.entry, entry);
        QCOMPARE(got.directory, directory);
    }

    void siteListed_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("listed");
        QTest::newRow("empty list") << ""
                                    << "/dir/" << false;
        QTest::newRow("same word") << "a /dir/ b"
                                   << "/dir/" << true;
        QTest::newRow("other case") << "/DIR/"
                                    << " /dir/ " << true;
        QTest::newRow("inside a word only") << "/dir/x/"
                                            << "/dir/" << false;
        QTest::newRow("many blanks") << "   a    b   "
                                     << "b" << true;
        QTest::newRow("empty entry") << "a b"
                                     << "" << false;
    }
    void siteListed()
    {
        QFETCH(QString, list);
        QFETCH(QString, entry);
        QFETCH(bool, listed);
        QCOMPARE(SiteWordSet(list).contains(entry), listed);
    }

    void familyTick_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("ticked");
        QTest::newRow("JPEG on an empty list") << ""
                                               << "CheckJPG"
                                               << "JFI JFIF JPE JPEG JPG";
        QTest::newRow("Movies with MPEG listed") << "MPEG"
                                                 << "CheckMovies"
                                                 << "MPEG ASF AVI MOV MPE MPG QT RM VIV WMV";
        QTest::newRow("lower case counts") << "jpg"
                                           << "CheckJPG"
                                           << "jpg JFI JFIF JPE JPEG";
        QTest::newRow("trailing blanks stay before the new one") << "ZIP  "
                                                                 << "CheckGIF"
                                                                 << "ZIP   GIF PNG";
    }
    void familyTick()
    {
        QFETCH(QString, list);
        QFETCH(QString, box);
        QFETCH(QString, ticked);
        QString text = list;
        for (const QString& extension : Family(qPrintable(box)).extensions)
            text = WithExtension(text, extension);
        QCOMPARE(text, ticked);
        QCOMPARE(FamilyState(text, Family(qPrintable(box))), 1);
    }

    void familyUntick_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("unticked");
        QTest::newRow("JPEG again") << "JFI JFIF JPE JPEG JPG"
                                    << "CheckJPG"
                                    << "";
        QTest::newRow("PHP3 kept whole") << "CGI PHP3"
                                         << "CheckCGI"
                                         << "PHP3";
        QTest::newRow("MPEG before MPE") << "MPEG MPE DOC"
                                         << "CheckMovies"
                                         << "DOC";
        QTest::newRow("lower case") << "gif png zip"
                                    << "CheckGIF"
                                    << "zip";
        QTest::newRow("first word, no leading blank") << "GIF PNG JPG"
                                                      << "CheckGIF"
                                                      << "JPG";
        QTest::newRow("last word, no trailing blank") << "ZIP RAR"
                                                      << "CheckZIP"
                                                      << "";
    }
    void familyUntick()
    {
        QFETCH(QString, list);
        QFETCH(QString, box);
        QFETCH(QString, unticked);
        QString text = list;
        for (const QString& extension : Family(qPrintable(box)).extensions)
            text = WithoutExtension(text, extension);
        QCOMPARE(text, unticked);
    }

    void singleRemoval_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("left");
        QTest::newRow("middle") << "GIF PNG JPG"
                                << "PNG"
                                << "GIF JPG";
        QTest::newRow("first") << "GIF PNG JPG"
                               << "GIF"
                               << "PNG JPG";
        QTest::newRow("last") << "GIF PNG JPG"
                              << "JPG"
                              << "GIF PNG";
        QTest::newRow("JPG not inside JPEG") << "JPEG JPG"
                                             << "JPG"
                                             << "JPEG";
        QTest::newRow("first of two equal") << "A B A"
                                            << "A"
                                            << "B A";
        QTest::newRow("not listed") << "GIF "
                                    << "PNG"
                                    << "GIF ";
    }
    void singleRemoval()
    {
        QFETCH(QString, list);
        QFETCH(QString, extension);
        QFETCH(QString, left);
        QCOMPARE(WithoutExtension(list, extension), left);
    }

    void familyState_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("state");
        QTest::newRow("none") << "ZIP"
                              << "CheckJPG" << 0;
        QTest::newRow("lower-case jpg: grey") << "jpg"
                                              << "CheckJPG" << 2;
        QTest::newRow("MPEG alone: grey") << "MPEG"
                                          << "CheckMovies" << 2;
        QTest::newRow("all, any order") << "PNG gif"
                                        << "CheckGIF" << 1;
        QTest::newRow("one-extension family") << "dll"
                                              << "CheckDLL" << 1;
        QTest::newRow("PHP3 is not PHP") << "ASP CGI PHP3"
                                         << "CheckCGI" << 2;
        QTest::newRow("sounds: MP3 not MP") << "AIF AU MID MP3 RAM WAV"
                                            << "CheckSounds" << 1;
    }
    void familyState()
    {
        QFETCH(QString, list);
        QFETCH(QString, box);
        QFETCH(int, state);
        QCOMPARE(FamilyState(list, Family(qPrintable(box))), state);
    }

    void refusedDirectory_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("refused");
        QTest::newRow("drive and folder") << "C:\\x" << false;
        QTest::newRow("relative") << "cache" << false;
        QTest::newRow("colon after the drive") << "C:\\x:y" << true;
        QTest::newRow("network path") << "\\\\server\\x" << true;
        QTest::newRow("double backslash inside") << "C:\\a\\\\b" << true;
        QTest::newRow("slash") << "a/b" << true;
        QTest::newRow("lone slash") << "/" << true;
        QTest::newRow("star") << "a*b" << true;
        QTest::newRow("question mark") << "a?b" << true;
        QTest::newRow("quote") << "a\"b" << true;
        QTest::newRow("angle") << "a<b" << true;
        QTest::newRow("bar") << "a|b" << true;
    }
    void refusedDirectory()
    {
        QFETCH(QString, text);
        QFETCH(bool, refused);
        QCOMPARE(DirectoryNameRefused(text), refused);
    }

    void autoDirectory_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("standard");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("directory");
        QTest::newRow("below the standard directory") << "http://site/a/b/index.html"
                                                      << ""
                                                      << "C:\\sites\\"
                                                      << "C:\\w"
                                                      << "C:\\sites\\site_a_b\\";
        QTest::newRow("below the current directory") << "http://site/a/b/index.html"
                                                     << ""
                                                     << ""
                                                     << "C:\\w"
                                                     << "C:\\w\\site_a_b\\";
        QTest::newRow("lone backslash is no standard") << "site/dir/"
                                                       << ""
                                                       << "\\"
                                                       << "C:\\w"
                                                       << "C:\\w\\site_dir\\";
        QTest::newRow("root current directory: one backslash") << "http://site/page.html"
                                                               << ""
                                                               << ""
                                                               << "C:\\"
                                                               << "C:\\site\\";
        QTest::newRow("port") << "http://host:8080/"
                              << ""
                              << ""
                              << "C:\\w"
                              << "C:\\w\\host_8080\\";
        QTest::newRow("host alone") << "HTTP://host"
                                    << ""
                                    << ""
                                    << "C:\\w"
                                    << "C:\\w\\host\\";
        QTest::newRow("empty URL keeps the box, refused characters replaced") << "  "
                                                                              << "C:\\a*b?<>|\""
                                                                              << ""
                                                                              << "C:\\w"
                                                                              << "C:\\a$b$$$$$";
        QTest::newRow("refused characters in the URL") << "http://h/a*b/x"
                                                       << ""
                                                       << ""
                                                       << "C:\\w"
                                                       << "C:\\w\\h_a$b\\";
    }
    void autoDirectory()
    {
        QFETCH(QString, url);
        QFETCH(QString, box);
        QFETCH(QString, standard);
        QFETCH(QString, current);
        QFETCH(QString, directory);
        QCOMPARE(AutoDirectory(url, box, standard, current), directory);
        QVERIFY(!DirectoryNameRefused(AutoDirectory(url, box, standard, current)) ||
                box.contains(QLatin1String("\\\\")));
    }

    void absoluteDirectory_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("absolute");
        QTest::newRow("relative") << "cache"
                                  << "C:\\w"
                                  << "C:\\w\\cache\\";
        QTest::newRow("leading backslash") << "\\cache"
                                           << "C:\\w"
                                           << "C:\\w\\cache\\";
        QTest::newRow("drive root current directory") << "cache"
                                                      << "C:\\"
                                                      << "C:\\cache\\";
        QTest::newRow("drive root, leading backslash") << "\\cache"
                                                       << "C:\\"
                                                       << "C:\\cache\\";
        QTest::newRow("drive given") << " Z:\\tmp\\x "
                                     << "C:\\w"
                                     << "Z:\\tmp\\x\\";
        QTest::newRow("trailing backslash kept single") << "Z:\\tmp\\"
                                                        << "C:\\w"
                                                        << "Z:\\tmp\\";
        QTest::newRow("begins with the current directory, other case") << "c:\\W\\sub"
                                                                       << "C:\\w"
                                                                       << "c:\\W\\sub\\";
        QTest::newRow("empty") << ""
                               << "C:\\w"
                               << "C:\\w\\";
        QTest::newRow("empty at the root") << ""
                                           << "C:\\"
                                           << "C:\\";
        QTest::newRow("lone backslash") << "\\"
                                        << "C:\\w"
                                        << "C:\\w\\";
    }
    void absoluteDirectory()
    {
        QFETCH(QString, text);
        QFETCH(QString, current);
        QFETCH(QString, absolute);
        QCOMPARE(AbsoluteDirectory(text, current), absolute);
    }
};

KELPA_TEST_MAIN(TestOptionsRules)
#include "test_options_rules.moc"
