// The help viewer is looked up on the PATH once; each test points the PATH at
// a folder of its own holding stand-ins for the viewers. Nothing is started:
// a recording starter takes the calls.
#include "app/globals.h"
#include "coretest.h"
#include "ui/helploader.h"
#include "ui/processstarter.h"

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

    QString addViewer(const QString &name)
    {
        const QString path = m_path->filePath(name);
        writeFile(path, "#!/bin/sh\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
        return path;
    }

    static quintptr show(HelpLoader &loader, const QString &file)
    {
        return loader.HtmlHelp(0, file, HH_DISPLAY_TOPIC, 0);
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
        QTest::addColumn<QString>("viewer"); // empty: none is found
        QTest::newRow("xchm") << QStringList {u"xchm"_s} << u"xchm"_s;
        QTest::newRow("kchmviewer") << QStringList {u"kchmviewer"_s} << u"kchmviewer"_s;
        QTest::newRow("both: xchm first") << QStringList {u"kchmviewer"_s, u"xchm"_s} << u"xchm"_s;
        QTest::newRow("none: final") << QStringList() << QString();
    }

    // The first call chooses the viewer, or fails for good; a viewer
    // installed afterwards is never looked for.
    void viewerIsLookedUpOnce()
    {
        QFETCH(QStringList, installed);
        QFETCH(QString, viewer);
        for (const QString &name : installed)
            addViewer(name);
        HelpLoader loader;
        const quintptr shown = viewer.isEmpty() ? 0 : 1;
        QCOMPARE(show(loader, u"/p/a.chm"_s), shown);
        QCOMPARE(loader.failed(), viewer.isEmpty());
        addViewer(u"xchm"_s);
        QCOMPARE(show(loader, u"/p/b.chm"_s), shown);
        const QString path = m_path->filePath(viewer);
        const QStringList started {path + u" /p/a.chm"_s, path + u" /p/b.chm"_s};
        QCOMPARE(m_started, viewer.isEmpty() ? QStringList() : started);
    }

    // A start that fails is not a failed look-up: the next call starts the same viewer.
    void failedStartIsRetried()
    {
        const QString xchm = addViewer(u"xchm"_s);
        HelpLoader loader;
        m_startSucceeds = false;
        QCOMPARE(show(loader, u"a.chm"_s), quintptr(0));
        QVERIFY(!loader.failed());
        m_startSucceeds = true;
        QCOMPARE(show(loader, u"a.chm"_s), quintptr(1));
        QCOMPARE(m_started, (QStringList {xchm + u" a.chm"_s, xchm + u" a.chm"_s}));
    }

    void helpFileByLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("file");
        QTest::newRow("English") << 0 << u"eng.chm"_s;
        QTest::newRow("Simplified Chinese") << 1 << u"chs.chm"_s;
        QTest::newRow("Traditional Chinese") << 2 << u"cht.chm"_s;
    }

    // The Help command opens the running language's file of the program directory.
    void helpFileByLanguage()
    {
        QFETCH(int, language);
        QFETCH(QString, file);
        addViewer(u"xchm"_s);
        setProgramDirectory(u"/opt/kdw/"_s);
        setLanguageIndex(quint8(language));
        QCOMPARE(showHelp(0), quintptr(1));
        QCOMPARE(m_started.size(), 1);
        QVERIFY(m_started.first().endsWith(u"/xchm /opt/kdw/"_s + file));
    }
};

QTEST_MAIN(TestHelpLoader)
#include "tst_helploader.moc"
