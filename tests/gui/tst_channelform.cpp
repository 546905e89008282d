// The channel form as the program shows it: in the main window, in each
// language, with the factory channels. KDW_SHOT_DIR=<folder> keeps a
// screenshot of each language there.

#include "guitest.h"

#include "app/programapp.h"
#include "channels/msflexgrid.h"
#include "channels/programview.h"
#include "ui/mainframe.h"

#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using namespace kdw;
using kdw::test::MessageRecorder;
using kdw::test::ProgramDir;

class TestChannelForm : public QObject
{
    Q_OBJECT

private slots:
    void factoryChannelsAreReadable_data()
    {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QString>("header");
        QTest::newRow("English") << QByteArray("Eng") << QStringLiteral("Rx Freq");
        QTest::newRow("Simplified") << QByteArray("Chs") << QStringLiteral("接收频率");
        QTest::newRow("Traditional") << QByteArray("Cht") << QStringLiteral("接收頻率");
    }
    void factoryChannelsAreReadable()
    {
        QFETCH(QByteArray, code);
        QFETCH(QString, header);
        ProgramDir dir("[Setup]\nLanguage=" + code + "\nCOM=COM1\n");
        QFile factory(QStringLiteral(KDW_PROGRAM_DIR "/DEF_U01.sin"));
        QVERIFY(factory.open(QIODevice::ReadOnly));
        dir.write(QStringLiteral("DEF_U01.sin"), factory.readAll());
        MessageRecorder messages;

        CProgramApp app(dir.path());
        QVERIFY(app.InitInstance({QStringLiteral("Program")}));
        CMainFrame *frame = app.mainFrame();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        // The window shrank to fit the form.
        QVERIFY(frame->width() <= 800);
        QVERIFY(frame->height() <= 600);

        CProgramView *view = app.view();
        view->findChild<QPushButton *>(QStringLiteral("id1068"))->click();
        QVERIFY(messages.texts.isEmpty());
        CMSFlexGrid *grid = view->grid();
        QCOMPARE(grid->GetTextMatrix(0, 1), header);
        QCOMPARE(grid->GetTextMatrix(10, 2), QStringLiteral("447.50000"));

        // The whole form is inside the window, and all ten columns inside the grid.
        const QRect form = view->findChild<QWidget *>(QStringLiteral("template101"))->geometry();
        QVERIFY(view->rect().contains(form));
        QCOMPARE(grid->horizontalScrollBar()->maximum(), 0);
        const int tx = grid->twipsPerPixelX();
        for (int col = 0; col < 10; ++col) {
            QVERIFY(grid->GetColIsVisible(col));
            const int width = int(grid->GetColWidth(col) / tx);
            for (int row : {0, 10, 12, 15}) {
                const QString text = grid->GetTextMatrix(row, col);
                QVERIFY2(grid->fontMetrics().horizontalAdvance(text) < width,
                         qPrintable(QStringLiteral("\"%1\" does not fit column %2").arg(text).arg(col)));
            }
        }

        const QString keep = qEnvironmentVariable("KDW_SHOT_DIR");
        if (!keep.isEmpty())
            QVERIFY(frame->grab().save(keep + QStringLiteral("/mainwindow-%1.png").arg(QString::fromLatin1(code))));

        // An editor covers its cell.
        for (int col : {1, 4, 6}) {
            const QRect cell = grid->visualRect(grid->model()->index(3, col - 1));
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
            QWidget *editor = view->openEditorWidget();
            QVERIFY(editor);
            const QRect onForm(grid->viewport()->mapTo(editor->parentWidget(), cell.topLeft()), cell.size());
            QVERIFY(onForm.contains(editor->geometry().center()));
            if (!keep.isEmpty())
                QVERIFY(frame->grab().save(keep + QStringLiteral("/editing-%1-%2.png").arg(QString::fromLatin1(code)).arg(col)));
        }
    }
};

QTEST_MAIN(TestChannelForm)
#include "tst_channelform.moc"
