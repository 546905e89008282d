#include "app/globals.h"
#include "app/inifile.h"
#include "image/memoryimage.h"
#include "image/programdoc.h"
#include "ui/documentcommands.h"
#include "ui/languagedlg.h"
#include "ui/messagebox.h"
#include "ui/processstarter.h"

#include "guitest.h"
#include "uselanguage.h"
#include "modal.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace kdw;
using namespace Qt::StringLiterals;

namespace {

const QString BundleDir = QStringLiteral(KDW_PROGRAM_DIR "/");

struct StartCall
{
    QString program;
    QStringList arguments;
};

} // namespace

class TestLanguageDlg : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void itemsInEachLanguage_data();
    void itemsInEachLanguage();
    void okWithoutSelectionChoosesEnglish();

    void languageCommand_data();
    void languageCommand();
    void unwritableConfigStartsNothing();

private:
    QString ini(const QString &key) const
    {
        return configFile().ReadString(QStringLiteral("Setup"), key);
    }

    std::unique_ptr<test::ProgramDir> m_dir;
    std::unique_ptr<test::MessageRecorder> m_messages;
    QList<StartCall> m_starts;
    int m_quits = 0;
    bool m_startSucceeds = true;
};

void TestLanguageDlg::init()
{
    m_dir = std::make_unique<test::ProgramDir>(QByteArray(), QStringList());
    m_messages = std::make_unique<test::MessageRecorder>();
    setProgramDirectory(m_dir->path());
    configFile().SetFileName(QStringLiteral("Program.ini"));
    m_starts.clear();
    m_quits = 0;
    m_startSucceeds = true;
    setProcessStarter([this](const QString &program, const QStringList &arguments) {
        m_starts.append({program, arguments});
        return m_startSucceeds;
    });
    setQuitRequest([this] { ++m_quits; });
}

void TestLanguageDlg::cleanup()
{
    setProcessStarter({});
    setQuitRequest({});
    m_messages.reset();
}

void TestLanguageDlg::itemsInEachLanguage_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("texts"); // caption, label, OK, Cancel

    QTest::newRow("Eng") << u"Eng"_s << QStringList{u"Eng"_s, u"Chs"_s, u"Cht"_s}
                         << QStringList{u"Language"_s, u"Language"_s, u"OK"_s, u"Cancel"_s};
    QTest::newRow("Chs") << u"Chs"_s << QStringList{u"英文"_s, u"简体"_s, u"繁体"_s}
                         << QStringList{u"语言"_s, u"语言设置"_s, u"确定"_s, u"取消"_s};
    QTest::newRow("Cht") << u"Cht"_s << QStringList{u"英文"_s, u"簡體"_s, u"繁體"_s}
                         << QStringList{u"語言"_s, u"語言設定"_s, u"確定"_s, u"取消"_s};
}

void TestLanguageDlg::itemsInEachLanguage()
{
    QFETCH(QString, code);
    QFETCH(QStringList, items);
    QFETCH(QStringList, texts);
    QVERIFY(test::useLanguage(BundleDir, code));

    CLanguageDlg dlg;
    auto *combo = dlg.item<QComboBox>(1094);
    QVERIFY(combo);
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i)
        shown.append(combo->itemText(i));
    QCOMPARE(shown, items);
    QCOMPARE(combo->currentIndex(), int(languageIndex()));
    QCOMPARE(dlg.m_nLanguage, languageIndex());

    QCOMPARE(dlg.windowTitle(), texts.at(0));
    QCOMPARE(dlg.findChild<QLabel *>(QStringLiteral("label"))->text(), texts.at(1));
    QCOMPARE(dlg.item<QPushButton>(1)->text(), texts.at(2));
    QCOMPARE(dlg.item<QPushButton>(2)->text(), texts.at(3));
    QVERIFY(dlg.item<QPushButton>(1)->isDefault());
}

void TestLanguageDlg::okWithoutSelectionChoosesEnglish()
{
    QVERIFY(test::useLanguage(BundleDir, u"Cht"_s));
    CLanguageDlg dlg;
    dlg.item<QComboBox>(1094)->setCurrentIndex(-1);
    dlg.accept();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.m_nLanguage, quint8(0));
}

void TestLanguageDlg::languageCommand_data()
{
    QTest::addColumn<QString>("running");
    QTest::addColumn<int>("choice"); // -1: Cancel
    QTest::addColumn<QString>("port");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("answer"); // to the save question
    QTest::addColumn<bool>("startSucceeds");
    QTest::addColumn<QString>("language"); // in Program.ini afterwards
    QTest::addColumn<bool>("restarted");
    QTest::addColumn<int>("messages");

    const int none = QMessageBox::NoButton;
    QTest::newRow("Eng to Chs keeps COM") << u"Eng"_s << 1 << u"COM5"_s << false << none << true << u"Chs"_s << true << 0;
    QTest::newRow("Cht to Eng") << u"Cht"_s << 0 << u"COM2"_s << false << none << true << u"Eng"_s << true << 0;
    QTest::newRow("same language") << u"Chs"_s << 1 << u"COM5"_s << false << none << true << u"Chs"_s << false << 0;
    QTest::newRow("Cancel") << u"Eng"_s << -1 << u"COM5"_s << false << none << true << u"Eng"_s << false << 0;
    QTest::newRow("no port name") << u"Eng"_s << 2 << QString() << false << none << true << u"Cht"_s << true << 0;
    QTest::newRow("modified, discard") << u"Eng"_s << 1 << u"COM5"_s << true << int(QMessageBox::No) << true << u"Chs"_s << true << 1;
    QTest::newRow("modified, save") << u"Eng"_s << 1 << u"COM5"_s << true << int(QMessageBox::Yes) << true << u"Chs"_s << true << 1;
    QTest::newRow("modified, cancel") << u"Eng"_s << 1 << u"COM5"_s << true << int(QMessageBox::Cancel) << true << u"Eng"_s << false << 1;
    QTest::newRow("restart fails") << u"Eng"_s << 1 << u"COM5"_s << false << none << false << u"Chs"_s << false << 1;
}

void TestLanguageDlg::languageCommand()
{
    QFETCH(QString, running);
    QFETCH(int, choice);
    QFETCH(QString, port);
    QFETCH(bool, modified);
    QFETCH(int, answer);
    QFETCH(bool, startSucceeds);
    QFETCH(QString, language);
    QFETCH(bool, restarted);
    QFETCH(int, messages);

    QVERIFY(test::useLanguage(BundleDir, running));
    m_dir->write(u"Program.ini"_s, "[Setup]\nLanguage=" + running.toLatin1() + "\n"
                                      + (port.isEmpty() ? QByteArray() : "COM=" + port.toLatin1() + "\n"));
    setPortName(port);
    m_startSucceeds = startSucceeds;
    if (answer != QMessageBox::NoButton)
        m_messages->answers.append(QMessageBox::StandardButton(answer));

    MemoryImage image;
    CProgramDoc doc(image);
    if (modified)
        doc.SetModifiedFlag();
    QWidget owner;
    DocumentCommands documents(doc, &owner);
    const QString savedPath = m_dir->file(u"saved.sin"_s);
    documents.setFilePrompt([&](bool, const QString &) { return savedPath; });

    const auto seen = test::whenModal<CLanguageDlg>([choice](CLanguageDlg *dlg) {
        if (choice < 0) {
            QTest::mouseClick(dlg->item<QPushButton>(2), Qt::LeftButton);
            return;
        }
        auto *combo = dlg->item<QComboBox>(1094);
        combo->setCurrentIndex(choice);
        QTest::keyClick(combo, Qt::Key_Return);
    });
    runLanguageCommand(&owner, documents);
    QVERIFY(*seen);

    QCOMPARE(ini(u"Language"_s), language);
    QCOMPARE(ini(u"COM"_s), port);
    QCOMPARE(m_messages->texts.size(), messages);
    QCOMPARE(m_quits, restarted ? 1 : 0);
    const bool startTried = restarted || !startSucceeds;
    QCOMPARE(m_starts.size(), startTried ? 1 : 0);
    if (startTried) {
        QCOMPARE(m_starts.first().program, programDirectory() + u"Program"_s);
        QVERIFY(m_starts.first().arguments.isEmpty());
    }
    QCOMPARE(QFileInfo(savedPath).size(), answer == QMessageBox::Yes ? qint64(MemoryImage::Size) : 0);
}

void TestLanguageDlg::unwritableConfigStartsNothing()
{
    QVERIFY(test::useLanguage(BundleDir, u"Eng"_s));
    configFile().setPath(m_dir->file(u"missing/Program.ini"_s));
    MemoryImage image;
    CProgramDoc doc(image);
    QWidget owner;
    DocumentCommands documents(doc, &owner);

    test::whenModal<CLanguageDlg>([](CLanguageDlg *dlg) {
        dlg->item<QComboBox>(1094)->setCurrentIndex(1);
        QTest::mouseClick(dlg->item<QPushButton>(1), Qt::LeftButton);
    });
    runLanguageCommand(&owner, documents);

    QCOMPARE(m_messages->texts.size(), 1);
    QVERIFY(m_starts.isEmpty());
    QCOMPARE(m_quits, 0);
}

QTEST_MAIN(TestLanguageDlg)
#include "tst_languagedlg.moc"
