// The conversation with Program Manager: what it refuses, and the opening
// and closing the installer and the removal program share.

#include "setup/ProgramGroupLink.h"
#include "tests/support/TestMain.h"

#include <QDir>

using namespace setup;

class TestGroupLink : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refusals_data()
    {
        QTest::addColumn<QString>("topic");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("error");
        QTest::newRow("no conversation")
            << "PROGMAN|PROGMAN" << 0 << "[CreateGroup(A)]" << int(ErrLinkNotOpen);
        QTest::newRow("unknown service")
            << "OTHER|PROGMAN" << 2 << "[CreateGroup(A)]" << int(ErrLinkNotOpen);
        QTest::newRow("topic in other case") << "progman|Progman" << 2 << "[CreateGroup(A)]" << 0;
        QTest::newRow("item without a group")
            << "PROGMAN|PROGMAN" << 2 << "[ReplaceItem(Kelpa)]" << int(ErrLinkRefused);
        QTest::newRow("command not understood")
            << "PROGMAN|PROGMAN" << 2 << "CreateGroup(A)" << int(ErrLinkRefused);
    }
    void refusals()
    {
        QFETCH(QString, topic);
        QFETCH(int, mode);
        QFETCH(QString, command);
        QFETCH(int, error);
        ProgramGroupLink link;
        QCOMPARE(link.SetLinkTopic(topic), 0);
        const int opened = link.SetLinkMode(mode);
        QCOMPARE(opened, topic.startsWith("OTHER") ? int(ErrNoLinkAnswer) : 0);
        QCOMPARE(link.LinkExecute(command), error);
    }

    // Opened, the topic is fixed until the conversation ends; closed, no
    // command reaches Program Manager any more.
    void openAndClose()
    {
        ProgramGroupLink link;
        OpenGroupLink(link);
        QCOMPARE(link.LinkTopic(), QStringLiteral("PROGMAN|PROGMAN"));
        QCOMPARE(link.LinkMode(), int(ProgramGroupLink::Manual));
        QCOMPARE(link.LinkTimeout(), 100);
        QCOMPARE(link.SetLinkTopic(QStringLiteral("X|Y")), int(ErrLinkTopicLocked));
        QCOMPARE(link.LinkExecute(QStringLiteral("[CreateGroup(Kelpa)]")), 0);
        QVERIFY(QDir(qEnvironmentVariable("XDG_DATA_HOME") + "/applications/Kelpa").exists());
        CloseGroupLink(link);
        QCOMPARE(link.LinkTopic(), QString());
        QCOMPARE(link.LinkMode(), int(ProgramGroupLink::None));
        QCOMPARE(link.LinkExecute(QStringLiteral("[DeleteGroup(Kelpa)]")), int(ErrLinkNotOpen));
    }
};

KELPA_TEST_MAIN(TestGroupLink)
#include "test_group_link.moc"
