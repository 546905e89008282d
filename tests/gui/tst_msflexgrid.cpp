#include "channels/msflexgrid.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace kdw;

class TestMSFlexGrid : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CMSFlexGrid> m_grid;

    // The centre of a cell, in the viewport's coordinates.
    QPoint cellCentre(int row, int col) const
    {
        return m_grid->visualRect(m_grid->model()->index(row - 1, col - 1)).center();
    }

private slots:
    void init()
    {
        m_grid = std::make_unique<CMSFlexGrid>();
        m_grid->SetRows(100);
        m_grid->SetCols(10);
        m_grid->SetFixedRows(1);
        m_grid->SetFixedCols(1);
        m_grid->resize(700, 300);
        m_grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
    }
    void cleanup() { m_grid.reset(); }

    void countsIncludeTheFixedRowAndColumn()
    {
        QCOMPARE(m_grid->GetRows(), 100);
        QCOMPARE(m_grid->GetCols(), 10);
        QCOMPARE(m_grid->rowCount(), 99);
        QCOMPARE(m_grid->columnCount(), 9);
        QCOMPARE(m_grid->GetRow(), 1);
        QCOMPARE(m_grid->GetCol(), 1);
    }

    void textMatrixReachesEveryCell()
    {
        m_grid->SetTextMatrix(0, 0, QStringLiteral("CH"));
        m_grid->SetTextMatrix(0, 3, QStringLiteral("Rx Tone"));
        m_grid->SetTextMatrix(42, 0, QStringLiteral("42"));
        m_grid->SetTextMatrix(42, 9, QStringLiteral("NAME"));
        QCOMPARE(m_grid->GetTextMatrix(0, 0), QStringLiteral("CH"));
        QCOMPARE(m_grid->GetTextMatrix(0, 3), QStringLiteral("Rx Tone"));
        QCOMPARE(m_grid->horizontalHeaderItem(2)->text(), QStringLiteral("Rx Tone"));
        QCOMPARE(m_grid->GetTextMatrix(42, 0), QStringLiteral("42"));
        QCOMPARE(m_grid->GetTextMatrix(42, 9), QStringLiteral("NAME"));
        QCOMPARE(m_grid->GetTextMatrix(43, 9), QString());
        // Outside the grid: empty, and setting does nothing.
        m_grid->SetTextMatrix(100, 1, QStringLiteral("x"));
        QCOMPARE(m_grid->GetTextMatrix(100, 1), QString());

        m_grid->SetRow(7);
        m_grid->SetCol(4);
        m_grid->SetText(QStringLiteral("D023N"));
        QCOMPARE(m_grid->GetTextMatrix(7, 4), QStringLiteral("D023N"));
    }

    void keysMoveTheCurrentCell_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("wantRow");
        QTest::addColumn<int>("wantCol");
        QTest::newRow("right") << 5 << 3 << int(Qt::Key_Right) << 5 << 4;
        QTest::newRow("right stops at the last column") << 5 << 9 << int(Qt::Key_Right) << 5 << 9;
        QTest::newRow("left") << 5 << 3 << int(Qt::Key_Left) << 5 << 2;
        QTest::newRow("left stops at column 1") << 5 << 1 << int(Qt::Key_Left) << 5 << 1;
        QTest::newRow("down") << 5 << 3 << int(Qt::Key_Down) << 6 << 3;
        QTest::newRow("down stops at the last row") << 99 << 3 << int(Qt::Key_Down) << 99 << 3;
        QTest::newRow("up") << 5 << 3 << int(Qt::Key_Up) << 4 << 3;
        QTest::newRow("up stops at row 1") << 1 << 3 << int(Qt::Key_Up) << 1 << 3;
        QTest::newRow("home") << 5 << 6 << int(Qt::Key_Home) << 5 << 1;
        QTest::newRow("end") << 5 << 2 << int(Qt::Key_End) << 5 << 9;
    }
    void keysMoveTheCurrentCell()
    {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(int, key);
        QFETCH(int, wantRow);
        QFETCH(int, wantCol);
        m_grid->SetRow(row);
        m_grid->SetCol(col);
        QSignalSpy enter(m_grid.get(), &CMSFlexGrid::EnterCell);
        QTest::keyClick(m_grid.get(), Qt::Key(key));
        QCOMPARE(m_grid->GetRow(), wantRow);
        QCOMPARE(m_grid->GetCol(), wantCol);
        QCOMPARE(enter.count(), (wantRow != row || wantCol != col) ? 1 : 0);
    }

    void lettersDoNotMoveTheCurrentCell()
    {
        m_grid->SetTextMatrix(30, 1, QStringLiteral("Off"));
        QTest::keyClicks(m_grid.get(), QStringLiteral("O"));
        QCOMPARE(m_grid->GetRow(), 1);
    }

    void positionsAreInTwips()
    {
        const int tx = m_grid->twipsPerPixelX();
        const int ty = m_grid->twipsPerPixelY();
        QCOMPARE(tx, 1440 / m_grid->logicalDpiX());
        m_grid->SetColWidth(1, 100 * tx);
        m_grid->SetColWidth(0, 40 * tx);
        QCOMPARE(m_grid->GetColWidth(1), 100 * tx);
        QCOMPARE(m_grid->GetColWidth(0), 40 * tx);
        QCOMPARE(m_grid->GetColPos(0), 0);
        QCOMPARE(m_grid->GetRowPos(0), 0);
        for (int col = 0; col < 9; ++col)
            QCOMPARE(m_grid->GetColPos(col + 1), m_grid->GetColPos(col) + m_grid->GetColWidth(col));
        for (int row = 0; row < 5; ++row)
            QCOMPARE(m_grid->GetRowPos(row + 1), m_grid->GetRowPos(row) + m_grid->GetRowHeight(row));
        // The positions are those of the cells on the screen.
        const QRect cell = m_grid->visualRect(m_grid->model()->index(2, 3));
        const QPoint inGrid = m_grid->viewport()->mapTo(m_grid.get(), cell.topLeft());
        QCOMPARE(m_grid->GetColPos(4) / tx + m_grid->frameWidth(), inGrid.x());
        QCOMPARE(m_grid->GetRowPos(3) / ty + m_grid->frameWidth(), inGrid.y());
    }

    void scrollingMovesRowsAndRaisesScroll()
    {
        QSignalSpy scroll(m_grid.get(), &CMSFlexGrid::Scroll);
        const long before = m_grid->GetRowPos(10);
        m_grid->verticalScrollBar()->setValue(5);
        QCOMPARE(scroll.count(), 1);
        QCOMPARE(m_grid->GetRowPos(10), before - 5 * m_grid->GetRowHeight(1));
    }

    void colIsVisibleFollowsTheView()
    {
        m_grid->resize(250, 300);
        QTRY_VERIFY(m_grid->horizontalScrollBar()->maximum() > 0);
        QVERIFY(m_grid->GetColIsVisible(0));
        QVERIFY(m_grid->GetColIsVisible(1));
        QVERIFY(!m_grid->GetColIsVisible(9));
        m_grid->horizontalScrollBar()->setValue(m_grid->horizontalScrollBar()->maximum());
        QVERIFY(m_grid->GetColIsVisible(0));
        QVERIFY(m_grid->GetColIsVisible(9));
        QVERIFY(!m_grid->GetColIsVisible(1));
        QVERIFY(!m_grid->GetColIsVisible(10));
    }

    // The form opens its editor on MouseDown at the current cell, so the
    // click must have moved the current cell by then.
    void mouseDownComesAfterTheCurrentCellMoved()
    {
        long rowAtMouseDown = -1;
        long colAtMouseDown = -1;
        short buttonSeen = 0;
        connect(m_grid.get(), &CMSFlexGrid::MouseDown, this, [&](short button, short, long, long) {
            buttonSeen = button;
            rowAtMouseDown = m_grid->GetRow();
            colAtMouseDown = m_grid->GetCol();
        });
        QSignalSpy enter(m_grid.get(), &CMSFlexGrid::EnterCell);
        QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, cellCentre(4, 6));
        QCOMPARE(buttonSeen, short(1));
        QCOMPARE(rowAtMouseDown, 4);
        QCOMPARE(colAtMouseDown, 6);
        QCOMPARE(m_grid->GetMouseRow(), 4);
        QCOMPARE(m_grid->GetMouseCol(), 6);
        QCOMPARE(enter.count(), 1);

        QTest::mouseClick(m_grid->viewport(), Qt::RightButton, {}, cellCentre(2, 2));
        QCOMPARE(buttonSeen, short(2));
    }

    void aClickOnTheLabelColumnIsMouseCol0()
    {
        QSignalSpy down(m_grid.get(), &CMSFlexGrid::MouseDown);
        QHeaderView *labels = m_grid->verticalHeader();
        const int y = labels->sectionViewportPosition(7) + labels->sectionSize(7) / 2;
        QTest::mouseClick(labels->viewport(), Qt::LeftButton, {}, QPoint(labels->width() / 2, y));
        QCOMPARE(down.count(), 1);
        QCOMPARE(down.first().at(0).value<short>(), short(1));
        QCOMPARE(m_grid->GetMouseCol(), 0);
        QCOMPARE(m_grid->GetMouseRow(), 8);
        QCOMPARE(m_grid->GetRow(), 8);
    }

    void highLightModeIsKept()
    {
        m_grid->SetHighLight(2);
        QCOMPARE(m_grid->GetHighLight(), short(2));
        m_grid->SetHighLight(0);
        QCOMPARE(m_grid->GetHighLight(), short(0));
        // Not highlighting paints the selection like any other cell.
        QCOMPARE(m_grid->palette().color(QPalette::Active, QPalette::Highlight),
                 m_grid->palette().color(QPalette::Active, QPalette::Base));
    }
};

QTEST_MAIN(TestMSFlexGrid)
#include "tst_msflexgrid.moc"
