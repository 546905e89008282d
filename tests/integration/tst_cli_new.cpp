// kdw-cli new, run as a user runs it: a copy of the tool in its own program
// directory, with and without Default.sin there.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestCliNew : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_tool;

    struct Run
    {
        int exitCode;
        QByteArray err;
    };

    Run run(const QStringList &args, const QString &cwd)
    {
        QProcess p;
        p.setWorkingDirectory(cwd);
        p.start(m_tool, args);
        if (!p.waitForFinished(30000))
            qFatal("kdw-cli did not finish");
        return {p.exitCode(), p.readAllStandardError()};
    }

    QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void initTestCase()
    {
        m_tool = m_dir.filePath(QStringLiteral("kdw-cli"));
        QVERIFY(QFile::copy(QStringLiteral(KDW_PROGRAM_DIR "/kdw-cli"), m_tool));
    }

    void builtInDefaults()
    {
        QTemporaryDir elsewhere;
        // A Default.sin in the current directory must not count: only the
        // program directory's does.
        QFile stray(elsewhere.filePath(QStringLiteral("Default.sin")));
        QVERIFY(stray.open(QIODevice::WriteOnly));
        stray.write(QByteArray(8192, '\x11'));
        stray.close();

        const Run r = run({QStringLiteral("new"), QStringLiteral("out.sin")}, elsewhere.path());
        QCOMPARE(r.exitCode, 0);
        const QByteArray image = read(elsewhere.filePath(QStringLiteral("out.sin")));
        QCOMPARE(image.size(), 8192);
        QCOMPARE(image.mid(0x1840, 6), QByteArray("KDW417"));
        QCOMPARE(image.at(0), '\xFF');
        QCOMPARE(image.at(0x1814), '\x05');
    }

    void shortDefaultFile()
    {
        const QString defaults = m_dir.filePath(QStringLiteral("Default.sin"));
        QFile f(defaults);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(100, '\x22'));
        f.close();
        const Run r = run({QStringLiteral("new"), m_dir.filePath(QStringLiteral("b.sin"))}, QDir::tempPath());
        QVERIFY(QFile::remove(defaults));
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(read(m_dir.filePath(QStringLiteral("b.sin"))), QByteArray(100, '\x22') + QByteArray(8092, '\xFF'));
    }

    void errors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no file") << QStringList{QStringLiteral("new")};
        QTest::newRow("two files") << QStringList{QStringLiteral("new"), QStringLiteral("a"), QStringLiteral("b")};
        QTest::newRow("unwritable") << QStringList{QStringLiteral("new"), QStringLiteral("/nonexistent/x.sin")};
        QTest::newRow("unknown command") << QStringList{QStringLiteral("frobnicate")};
    }

    void errors()
    {
        QFETCH(QStringList, args);
        const Run r = run(args, m_dir.path());
        QCOMPARE(r.exitCode, 2);
        QVERIFY(!r.err.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCliNew)
#include "tst_cli_new.moc"
