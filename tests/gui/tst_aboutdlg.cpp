#include "ui/aboutdlg.h"

#include "uselanguage.h"
#include "modal.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace kdw;
using namespace Qt::StringLiterals;

class TestAboutDlg : public QObject
{
    Q_OBJECT

private slots:
    void textsInEachLanguage_data();
    void textsInEachLanguage();
    void closes_data();
    void closes();
};

void TestAboutDlg::textsInEachLanguage_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("ok");

    QTest::newRow("Eng") << u"Eng"_s << u"About"_s << u"OK"_s;
    QTest::newRow("Chs") << u"Chs"_s << u"关于"_s << u"确定"_s;
    QTest::newRow("Cht") << u"Cht"_s << u"關於"_s << u"確定"_s;
}

void TestAboutDlg::textsInEachLanguage()
{
    QFETCH(QString, code);
    QFETCH(QString, caption);
    QFETCH(QString, ok);
    QVERIFY(test::useLanguage(QStringLiteral(KDW_PROGRAM_DIR "/"), code));

    CAboutDlg dlg;
    QCOMPARE(dlg.windowTitle(), caption);
    QCOMPARE(dlg.item<QPushButton>(1)->text(), ok);
    QVERIFY(dlg.item<QPushButton>(1)->isDefault());
    // The version line is the same, typo included, in every language.
    QCOMPARE(dlg.findChild<QLabel *>(u"version"_s)->text(), u"Vesion 1.0.4"_s);
    QCOMPARE(dlg.findChild<QLabel *>(u"notice"_s)->text().count(u'\n'), 1);
    const QLabel *icon = dlg.findChild<QLabel *>(u"icon"_s);
    QCOMPARE(icon->pixmap().size(), QSize(32, 32));
    QCOMPARE(icon->size(), QSize(32, 32));
}

void TestAboutDlg::closes_data()
{
    QTest::addColumn<int>("way");
    QTest::addColumn<int>("result");
    enum { Click, Enter, Escape, CloseBox };
    QTest::newRow("OK") << int(Click) << int(QDialog::Accepted);
    QTest::newRow("Enter") << int(Enter) << int(QDialog::Accepted);
    QTest::newRow("Escape") << int(Escape) << int(QDialog::Rejected);
    QTest::newRow("close box") << int(CloseBox) << int(QDialog::Rejected);
}

void TestAboutDlg::closes()
{
    QFETCH(int, way);
    QFETCH(int, result);
    QVERIFY(test::useLanguage(QStringLiteral(KDW_PROGRAM_DIR "/"), u"Eng"_s));

    CAboutDlg dlg;
    const auto seen = test::whenModal<CAboutDlg>([way](CAboutDlg *shown) {
        switch (way) {
        case 0: QTest::mouseClick(shown->item<QPushButton>(1), Qt::LeftButton); break;
        case 1: QTest::keyClick(shown, Qt::Key_Return); break;
        case 2: QTest::keyClick(shown, Qt::Key_Escape); break;
        default: shown->close(); break;
        }
    });
    QCOMPARE(dlg.exec(), result);
    QVERIFY(*seen);
    QVERIFY(!dlg.isVisible());
}

QTEST_MAIN(TestAboutDlg)
#include "tst_aboutdlg.moc"
