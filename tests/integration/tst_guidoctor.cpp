// Program > Check Cable and Radio against kdw-radio-sim, and the Port menu's
// devices: the item tips, the status bar and Port > Choose Device on a
// made-up system.

#include "core/program/globals.h"
#include "gui/frame/commandids.h"
#include "gui/frame/mainframe.h"
#include "gui/link/cablecheckdlg.h"
#include "gui/link/choosedevicedlg.h"
#include "gui/link/portcommands.h"
#include "guitest.h"
#include "madeupsystem.h"
#include "modal.h"
#include "radiosim.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableWidget>
#include <QTest>

using namespace kdw;
using namespace kdw::test;

class TestGuiDoctor : public QObject
{
    Q_OBJECT

private slots:
    void checkCableAndRadio_data();
    void checkCableAndRadio();
    void portItemsNameTheirDevices_data();
    void portItemsNameTheirDevices();
    void chooseDeviceKeepsTheStableName();
    void chooseDeviceListsAdaptersAsTheyCome();
};

void TestGuiDoctor::checkCableAndRadio_data()
{
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("radioLine"); // the line before the count starts with it
    QTest::addColumn<QString>("lastLine");

    QTest::newRow("Eng, radio answers") << QByteArray("Eng") << QStringList{} << u"Check Cable and Radio"_qs
                                        << u"ok: The radio answered: identification 4B 44 57 34 31 37 01 00"_qs
                                        << u"note: No problems found."_qs;
    QTest::newRow("Chs, cable without radio")
        << QByteArray("Chs") << QStringList{u"--echo"_qs} << u"检查数据线和对讲机"_qs
        << u"problem: 只收到我们自己发出的字节"_qs << u"note: 发现 1 个问题。"_qs;
    QTest::newRow("Cht, radio off") << QByteArray("Cht") << QStringList{u"--no-answer"_qs} << u"檢查傳輸線和對講機"_qs
                                    << u"problem: 完全沒有應答"_qs << u"note: 發現 1 個問題。"_qs;
}

// The check runs with the busy flag held, off the window's thread, and the
// dialog stays until it has finished; Check Again runs it once more.
void TestGuiDoctor::checkCableAndRadio()
{
    QFETCH(QByteArray, language);
    QFETCH(QStringList, simArgs);
    QFETCH(QString, caption);
    QFETCH(QString, radioLine);
    QFETCH(QString, lastLine);
    Program program("[Setup]\nLanguage=" + language + "\nCOM=COM1\n");
    RadioSim sim(simArgs, patternImage(), program.dir.path());
    QVERIFY(sim.isRunning());
    QVERIFY(program.start());

    QStringList shown;
    bool busyWhileShown = false;
    bool stayedWhileRunning = false;
    const auto seen = whenModal<CCableCheckDlg>([&](CCableCheckDlg *dialog) {
        busyWhileShown = BusyGuard::held();
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->isRunning(), 10000);
        shown.append(dialog->windowTitle());
        shown.append(dialog->text());
        QTest::mouseClick(dialog->findChild<QPushButton *>(u"again"_qs), Qt::LeftButton);
        QVERIFY(dialog->isRunning());
        dialog->reject(); // refused while the check runs
        stayedWhileRunning = dialog->isVisible();
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->isRunning(), 10000);
        shown.append(dialog->text());
        QTest::mouseClick(dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Close), Qt::LeftButton);
    });
    program.action(cmd::CheckCable)->trigger();
    QVERIFY(*seen);
    QVERIFY(busyWhileShown);
    QVERIFY(stayedWhileRunning);
    QVERIFY(!BusyGuard::held());
    QCOMPARE(shown.size(), 3);
    QCOMPARE(shown.at(0), caption);
    const QStringList lines = shown.at(1).split(u'\n');
    QVERIFY2(lines.at(0).startsWith(u"ok: COM1 "_qs), qPrintable(shown.at(1)));
    QVERIFY2(lines.at(lines.size() - 2).startsWith(radioLine), qPrintable(shown.at(1)));
    QCOMPARE(lines.last(), lastLine);
    QCOMPARE(shown.at(2).split(u'\n').size(), lines.size());
    // A radio that answers is identified once per probe (a wake-up tried again
    // on a slow machine is no new probe); one that does not gets every attempt.
    if (simArgs.isEmpty())
        QCOMPARE(sim.hostBytes().count("\x02PROGRAM\x02"), 2);
    else
        QCOMPARE(sim.hostBytes().count("\x02PROGRA"), 8);
}

void TestGuiDoctor::portItemsNameTheirDevices_data()
{
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QString>("prompt");     // COM2's status tip begins with it
    QTest::addColumn<QString>("notPresent"); // COM3 has no device

    QTest::newRow("Eng") << QByteArray("Eng") << u"Choose Communication Port 2: "_qs << u"not present"_qs;
    QTest::newRow("Chs") << QByteArray("Chs") << u"选择通信端口 2: "_qs << u"不存在"_qs;
    QTest::newRow("Cht") << QByteArray("Cht") << u"選擇通訊連接埠 2: "_qs << u"不存在"_qs;
}

// Each COMn item says what it opens now: the adapter behind /dev/ttyUSBn,
// the simulated radio's terminal, or a device that is not there. The item
// texts and the check marks stay as they are.
void TestGuiDoctor::portItemsNameTheirDevices()
{
    QFETCH(QByteArray, language);
    QFETCH(QString, prompt);
    QFETCH(QString, notPresent);
    Program program("[Setup]\nLanguage=" + language + "\nCOM=COM1\n");
    RadioSim sim({}, patternImage(), program.dir.path());
    QVERIFY(sim.isRunning());
    QVERIFY(program.start());
    MadeUpSystem system;
    QVERIFY(system.addAdapter(u"ttyUSB1 pl2303 067b:2303 1 USB-Serial Controller"_qs, 0));
    auto *ports = program.app.mainFrame()->findChild<PortCommands *>();
    QVERIFY(ports);
    ports->setSystemRoots(system.roots());

    const QString com2 = system.path(u"dev/ttyUSB1"_qs) + u" \u2014 USB-Serial Controller (067b:2303, pl2303)"_qs;
    QCOMPARE(program.action(cmd::Com1 + 1)->toolTip(), com2);
    QCOMPARE(program.action(cmd::Com1 + 1)->statusTip(), prompt + com2);
    QVERIFY2(program.action(cmd::Com1)->toolTip().startsWith(sim.terminal() + u" \u2014 "_qs),
             qPrintable(program.action(cmd::Com1)->toolTip()));
    QCOMPARE(program.action(cmd::Com1 + 2)->toolTip(), system.path(u"dev/ttyUSB2"_qs) + u" \u2014 "_qs + notPresent);
    QCOMPARE(program.action(cmd::Com1 + 1)->text(), u"COM2"_qs);
    QVERIFY(program.action(cmd::Com1)->isChecked());

    auto *label = program.app.mainFrame()->findChild<QLabel *>(u"portDevice"_qs);
    QVERIFY(label);
    QVERIFY2(label->text().startsWith(u"COM1: "_qs + sim.terminal()), qPrintable(label->text()));
    program.action(cmd::Com1 + 1)->trigger();
    QCOMPARE(label->text(), u"COM2: "_qs + com2);
    // The adapter taken away: the status bar says so without the menu being opened.
    QVERIFY(QFile::remove(system.path(u"dev/ttyUSB1"_qs)));
    QTRY_COMPARE(label->text(), u"COM2: "_qs + system.path(u"dev/ttyUSB1"_qs) + u" \u2014 "_qs + notPresent);
}

// The adapter chosen is kept by its stable name in Program.ini at once, and
// the status bar names it.
void TestGuiDoctor::chooseDeviceKeepsTheStableName()
{
    Program program;
    QVERIFY(program.start());
    MadeUpSystem system;
    QVERIFY(system.addAdapter(u"ttyUSB0 ftdi_sio 0403:6001 16 FT232R USB UART"_qs, 0));
    QVERIFY(system.addAdapter(u"ttyACM0 cdc_acm 1a86:55d4 0 USB Single Serial"_qs, 1, false));
    auto *ports = program.app.mainFrame()->findChild<PortCommands *>();
    ports->setSystemRoots(system.roots());

    const QString byId = system.path(u"dev/serial/by-id/usb-FT232R_USB_UART-if00"_qs);
    for (const auto &choice : {std::pair{0, system.path(u"dev/ttyACM0"_qs)}, std::pair{1, byId}}) {
        const int row = choice.first;
        const QString &chosen = choice.second;
        const auto seen = whenModal<CChooseDeviceDlg>([row](CChooseDeviceDlg *dialog) {
            const auto close = qScopeGuard([dialog] {
                if (dialog->isVisible())
                    dialog->reject(); // after a failed check
            });
            QTableWidget *table = dialog->table();
            QCOMPARE(table->rowCount(), 2);
            table->selectRow(row);
            QTest::keyClick(table, Qt::Key_Return);
        });
        program.action(cmd::ChooseDevice)->trigger();
        QVERIFY(*seen);
        QCOMPARE(program.app.context().port, chosen);
        QVERIFY2(program.dir.read(u"Program.ini"_qs).contains("COM=" + chosen.toUtf8()),
                 program.dir.read(u"Program.ini"_qs).constData());
        for (int id = cmd::Com1; id <= cmd::Com8; ++id)
            QVERIFY(!program.action(id)->isChecked());
    }
    auto *label = program.app.mainFrame()->findChild<QLabel *>(u"portDevice"_qs);
    QCOMPARE(label->text(), system.path(u"dev/ttyUSB0"_qs) + u" \u2014 FT232R USB UART (0403:6001, ftdi_sio)"_qs);
    QCOMPARE(label->toolTip(), byId);

    // Cancel keeps the port.
    const auto cancelled = whenModal<CChooseDeviceDlg>([](CChooseDeviceDlg *dialog) { dialog->reject(); });
    program.action(cmd::ChooseDevice)->trigger();
    QVERIFY(*cancelled);
    QCOMPARE(program.app.context().port, byId);
}

// An adapter plugged in while the list is open appears in it; with none, the
// list says so and OK stays greyed.
void TestGuiDoctor::chooseDeviceListsAdaptersAsTheyCome()
{
    MadeUpSystem system;
    CChooseDeviceDlg dialog(nullptr, Language::Eng, {}, system.roots());
    dialog.show();
    auto *ok = dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
    QCOMPARE(dialog.table()->rowCount(), 0);
    QVERIFY(dialog.findChild<QLabel *>(u"empty"_qs)->isVisible());
    QVERIFY(!ok->isEnabled());

    QVERIFY(system.addAdapter(u"ttyUSB0 ch341-uart 1a86:7523 0 USB Serial"_qs, 0));
    QTRY_COMPARE(dialog.table()->rowCount(), 1);
    QVERIFY(!dialog.findChild<QLabel *>(u"empty"_qs)->isVisible());
    QCOMPARE(dialog.table()->item(0, 1)->text(), u"USB Serial (1a86:7523, ch341-uart)"_qs);
    dialog.table()->selectRow(0);
    QVERIFY(ok->isEnabled());
    QCOMPARE(dialog.chosen(), system.path(u"dev/serial/by-id/usb-USB_Serial-if00"_qs));
}

QTEST_MAIN(TestGuiDoctor)
#include "tst_guidoctor.moc"
