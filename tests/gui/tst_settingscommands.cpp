#include "app/programapp.h"
#include "guitest.h"
#include "image/programdoc.h"
#include "image/regions.h"
#include "settings/settingsdialog.h"
#include "ui/commandids.h"
#include "ui/mainframe.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

using namespace kdw;
using namespace Qt::StringLiterals;

namespace {

// Runs `act` on the modal dialog as soon as the command has opened it.
void whenModal(std::function<void(CSettingsDialog *)> act)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(1);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        if (auto *dialog = qobject_cast<CSettingsDialog *>(QApplication::activeModalWidget())) {
            timer->deleteLater();
            timer->stop();
            act(dialog);
        }
    });
    timer->start();
}

using Edit = std::function<void(CSettingsDialog *)>;

} // namespace

Q_DECLARE_METATYPE(Edit)

class TestSettingsCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void commands_data();
    void commands();

private:
    test::ProgramDir m_dir {"[Setup]\nLanguage=Eng\nCOM=COM1\n", {u"Eng"_s}};
    std::unique_ptr<CProgramApp> m_app;
};

void TestSettingsCommands::initTestCase()
{
    m_app = std::make_unique<CProgramApp>(m_dir.path());
    QVERIFY(m_app->InitInstance({u"Program"_s}));
}

void TestSettingsCommands::commands_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("value"); // expected byte at offset; -1: the image is unchanged

    const auto escape = [](CSettingsDialog *d) { QTest::keyClick(d, Qt::Key_Escape); };
    const auto typeAndEnter = [](int id) {
        return [id](CSettingsDialog *d) {
            auto *field = d->item<QLineEdit>(id);
            field->setFocus();
            QTest::keyClicks(field, u"7"_s);
            QTest::keyClick(field, Qt::Key_Return);
        };
    };
    QTest::newRow("option unchanged") << int(cmd::Option) << Edit(escape) << 0 << -1;
    QTest::newRow("option sql") << int(cmd::Option) << Edit([](CSettingsDialog *d) {
        d->item<QComboBox>(1081)->setCurrentIndex(9);
        d->close();
    }) << 0x1814 << 9;
    QTest::newRow("pttid unchanged") << int(cmd::PttId) << Edit(escape) << 0 << -1;
    QTest::newRow("pttid code") << int(cmd::PttId) << Edit(typeAndEnter(1096)) << region::PttIdCode << int('7');
    QTest::newRow("embed cancel") << int(cmd::Embed) << Edit([](CSettingsDialog *d) {
        QTest::keyClicks(d->item<QLineEdit>(1092), u"9"_s);
        QTest::keyClick(d, Qt::Key_Escape);
    }) << 0 << -1;
    QTest::newRow("embed ok") << int(cmd::Embed) << Edit(typeAndEnter(1092)) << region::Pcba << int('7');
}

// The menu commands open their dialogs on the document's image; a dialog
// that changes a byte marks the document modified, one that does not leaves
// the mark alone.
void TestSettingsCommands::commands()
{
    QFETCH(int, command);
    QFETCH(Edit, edit);
    QFETCH(int, offset);
    QFETCH(int, value);
    CProgramDoc &doc = *m_app->document();
    QVERIFY(doc.OnNewDocument());
    doc.image().setByte(0x1820, 0); // Roger inside its encoding, so an unchanged dialog changes nothing
    doc.SetModifiedFlag(false);
    const QByteArray before = doc.image().bytes();

    QAction *action = m_app->mainFrame()->action(command);
    QVERIFY(action->isEnabled());
    bool seen = false;
    whenModal([&](CSettingsDialog *dialog) {
        seen = true;
        QCOMPARE(dialog->parentWidget(), m_app->mainFrame());
        edit(dialog);
    });
    action->trigger();
    QVERIFY(seen);
    QVERIFY(!QApplication::activeModalWidget());

    if (value < 0) {
        QCOMPARE(doc.image().bytes(), before);
        QVERIFY(!doc.IsModified());
    } else {
        QCOMPARE(int(doc.image().byte(offset)), value);
        QVERIFY(doc.IsModified());
    }
}

QTEST_MAIN(TestSettingsCommands)
#include "tst_settingscommands.moc"
