#include "app/globals.h"
#include "ui/helploader.h"
#include "ui/processstarter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kdw;
using namespace Qt::StringLiterals;

// The viewers are looked up on the PATH; each test points the PATH at a
// folder of its own holding stand-ins for them. Nothing is really started.
class TestHelpLoader : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void choosesViewer_data();
    void choosesViewer();
    void noViewerIsNeverLookedUpAgain();
    void viewerIsLookedUpOnce();
    void failedStartIsRetriedWithTheSameViewer();
    void helpFileByLanguage_data();
    void helpFileByLanguage();

private:
    QString addViewer(const QString &name)
    {
        const QString path = m_path->filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write("#!/bin/sh\n");
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    std::unique_ptr<QTemporaryDir> m_path;
    QByteArray m_oldPath;
    QStringList m_started; // program + " " + arguments
    bool m_startSucceeds = true;
};

void TestHelpLoader::init()
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

void TestHelpLoader::cleanup()
{
    qputenv("PATH", m_oldPath);
    setProcessStarter({});
}

void TestHelpLoader::choosesViewer_data()
{
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("viewer");
    QTest::newRow("xchm") << QStringList{u"xchm"_s} << u"xchm"_s;
    QTest::newRow("kchmviewer") << QStringList{u"kchmviewer"_s} << u"kchmviewer"_s;
    QTest::newRow("both: xchm first") << QStringList{u"kchmviewer"_s, u"xchm"_s} << u"xchm"_s;
}

void TestHelpLoader::choosesViewer()
{
    QFETCH(QStringList, installed);
    QFETCH(QString, viewer);
    for (const QString &name : installed)
        QVERIFY(!addViewer(name).isEmpty());

    HelpLoader loader;
    QCOMPARE(loader.HtmlHelp(0, u"/p/eng.chm"_s, HH_DISPLAY_TOPIC, 0), quintptr(1));
    QCOMPARE(m_started, QStringList{m_path->filePath(viewer) + u" /p/eng.chm"_s});
    QVERIFY(!loader.failed());
}

void TestHelpLoader::noViewerIsNeverLookedUpAgain()
{
    HelpLoader loader;
    QCOMPARE(loader.HtmlHelp(0, u"/p/eng.chm"_s, HH_DISPLAY_TOPIC, 0), quintptr(0));
    QVERIFY(loader.failed());

    // A viewer installed later is not seen: the failure is final.
    QVERIFY(!addViewer(u"xchm"_s).isEmpty());
    QCOMPARE(loader.HtmlHelp(0, u"/p/eng.chm"_s, HH_DISPLAY_TOPIC, 0), quintptr(0));
    QVERIFY(loader.failed());
    QVERIFY(m_started.isEmpty());
}

void TestHelpLoader::viewerIsLookedUpOnce()
{
    const QString xchm = addViewer(u"xchm"_s);
    HelpLoader loader;
    QCOMPARE(loader.HtmlHelp(0, u"a.chm"_s, HH_DISPLAY_TOPIC, 0), quintptr(1));

    // The PATH changes, yet the second call uses the viewer found first.
    QTemporaryDir other;
    qputenv("PATH", QFile::encodeName(other.path()));
    QCOMPARE(loader.HtmlHelp(0, u"b.chm"_s, HH_DISPLAY_TOPIC, 0), quintptr(1));
    QCOMPARE(m_started, (QStringList{xchm + u" a.chm"_s, xchm + u" b.chm"_s}));
}

void TestHelpLoader::failedStartIsRetriedWithTheSameViewer()
{
    const QString xchm = addViewer(u"xchm"_s);
    HelpLoader loader;
    m_startSucceeds = false;
    QCOMPARE(loader.HtmlHelp(0, u"a.chm"_s, HH_DISPLAY_TOPIC, 0), quintptr(0));
    QVERIFY(!loader.failed());
    m_startSucceeds = true;
    QCOMPARE(loader.HtmlHelp(0, u"a.chm"_s, HH_DISPLAY_TOPIC, 0), quintptr(1));
    QCOMPARE(m_started.size(), 2);
}

void TestHelpLoader::helpFileByLanguage_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("file");
    QTest::newRow("English") << 0 << u"eng.chm"_s;
    QTest::newRow("Simplified Chinese") << 1 << u"chs.chm"_s;
    QTest::newRow("Traditional Chinese") << 2 << u"cht.chm"_s;
}

void TestHelpLoader::helpFileByLanguage()
{
    QFETCH(int, language);
    QFETCH(QString, file);
    const QString xchm = addViewer(u"xchm"_s);
    setProgramDirectory(u"/opt/kdw/"_s);
    setLanguageIndex(quint8(language));

    // The process-wide loader: found on the first row, kept for the others.
    QCOMPARE(showHelp(0), quintptr(1));
    QCOMPARE(m_started.size(), 1);
    QVERIFY(m_started.first().endsWith(u"/xchm /opt/kdw/"_s + file));
}

QTEST_MAIN(TestHelpLoader)
#include "tst_helploader.moc"
