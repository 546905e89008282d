// The help viewer is looked up on the PATH once; each test points the PATH at
// a folder of its own holding stand-ins for the viewers. Nothing is started:
// a recording starter takes the calls.
#include "core/program/helploader.h"
#include "core/program/processstarter.h"
#include "coretest.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kdw;
using namespace kdw::test;
using namespace Qt::StringLiterals;

class TestHelpLoader : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_path;
    QByteArray m_oldPath;
    QStringList m_started; // program + " " + arguments
    bool m_startSucceeds = true;

    [[nodiscard]] bool addViewer(const QString &name)
    {
        return writeFile(m_path->filePath(name), "#!/bin/sh\n")
               && QFile::setPermissions(m_path->filePath(name), QFile::ReadOwner | QFile::ExeOwner);
    }

private slots:
    void init()
    {
        m_path = std::make_unique<QTemporaryDir>();
        m_oldPath = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(m_path->path()));
        m_started.clear();
        m_startSucceeds = true;
        setProcessStarter([this](const QString &program, const QStringList &arguments) {
            m_started.append(program + u' ' + arguments.join(u' '));
            return m_startSucceeds;
        });
    }

    void cleanup()
    {
        qputenv("PATH", m_oldPath);
        setProcessStarter({});
    }

    void viewerIsLookedUpOnce_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<bool>("firstStarts"); // whether the first start succeeds
        QTest::addColumn<QString>("viewer");   // empty: none is found
        QTest::newRow("kchmviewer") << QStringList{u"kchmviewer"_s} << true << u"kchmviewer"_s;
        QTest::newRow("both: xchm first") << QStringList{u"kchmviewer"_s, u"xchm"_s} << true << u"xchm"_s;
        QTest::newRow("none: final") << QStringList() << true << QString();
        QTest::newRow("failed start: retried") << QStringList{u"xchm"_s} << false << u"xchm"_s;
    }

    // The first call chooses the viewer, or fails for good; a viewer installed
    // afterwards is never looked for. A start that fails is not a failed
    // look-up: the next call starts the same viewer.
    void viewerIsLookedUpOnce()
    {
#ifdef Q_OS_WIN
        QSKIP("the viewer on the PATH is the Linux build's; Windows loads the HTML Help control");
#endif
        QFETCH(QStringList, installed);
        QFETCH(bool, firstStarts);
        QFETCH(QString, viewer);
        for (const QString &name : installed)
            QVERIFY(addViewer(name));
        HelpLoader loader;
        m_startSucceeds = firstStarts;
        QCOMPARE(loader.HtmlHelp(0, u"/p/a.chm"_s, HH_DISPLAY_TOPIC, 0), quintptr(!viewer.isEmpty() && firstStarts));
        QCOMPARE(loader.failed(), viewer.isEmpty());
        QVERIFY(addViewer(u"xchm"_s));
        m_startSucceeds = true;
        QCOMPARE(loader.HtmlHelp(0, u"/p/b.chm"_s, HH_DISPLAY_TOPIC, 0), quintptr(!viewer.isEmpty()));
        const QString path = m_path->filePath(viewer);
        const QStringList started{path + u" /p/a.chm"_s, path + u" /p/b.chm"_s};
        QCOMPARE(m_started, viewer.isEmpty() ? QStringList() : started);
    }
};

QTEST_MAIN(TestHelpLoader)
#include "tst_helploader.moc"
