#pragma once

#include <QHash>
#include <QString>
#include <QStyledItemDelegate>
#include <QTableView>

#include <functional>

class QAbstractButton;

namespace kdw {

// The channel grid control: a table with a fixed header row and a fixed label
// column, addressed the way the form expects it. Rows and columns count from
// 0 and include the fixed row and column; positions and sizes are in twips
// (1/1440 inch) of the screen. The fixed row is the table's horizontal header
// and the fixed column its vertical header, so neither scrolls away.
//
// The texts live in the model the grid shows: its cells are the non-fixed
// cells, its header data the fixed row and column. A grid starts with a plain
// text table of its own, or shows the model it is made with; setModel() shows
// another model's texts instead.
//
// Events: EnterCell when the current cell changes, MouseDown after a mouse
// button went down over the grid (the current cell has already moved to the
// cell clicked), Scroll when the visible part moves.
class CMSFlexGrid : public QTableView
{
    Q_OBJECT

public:
    // The column width every column starts with, in twips.
    static constexpr long DefaultColWidth = 1080;

    // Draws each cell with its column's alignment, which is the grid's, not
    // the model's. A view that edits cells in place derives its delegate
    // from it.
    class CellDelegate : public QStyledItemDelegate
    {
    public:
        static constexpr int FocusFrameWidth = 2;

        explicit CellDelegate(CMSFlexGrid *grid);
        // The current cell of a grid with the focus: a frame in the text's colour.
        void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    protected:
        void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

    private:
        CMSFlexGrid *m_grid;
    };

    explicit CMSFlexGrid(QWidget *parent = nullptr);
    // Shows the model's texts from the start: no table of its own is made and
    // replaced, which for a view costs as much as showing the model.
    explicit CMSFlexGrid(QAbstractItemModel *model, QWidget *parent = nullptr);

    // Starts measuring the grid font's line height on another thread; the
    // grids built afterwards take the result instead of measuring it again.
    // Finding the font that stands in for Chinese text is a good share of
    // start-up, and it can run while the main window is built. The thread
    // first lays out `sample` in each of `fonts` (QFont::toString()), then in
    // the grid font: Qt keeps the fonts it finds to stand in for characters a
    // font lacks, a search through every installed font, for all threads, so
    // the window's own first layout and paint find them ready. Then it runs
    // `more` (whatever else the window measures and keeps for all threads),
    // and draws `sample` once in the first of `fonts`, for what Qt makes at
    // the first text it draws, also for all threads.
    static void measureFontAhead(const QStringList &fonts = {}, const QString &sample = {},
                                 const std::function<void()> &more = {});

    void setModel(QAbstractItemModel *model) override;

    long GetRows() const;
    void SetRows(long rows);
    long GetCols() const;
    void SetCols(long cols);
    long GetFixedRows() const { return m_fixedRows; }
    void SetFixedRows(long rows);
    long GetFixedCols() const { return m_fixedCols; }
    void SetFixedCols(long cols);

    // The current cell; always a non-fixed cell while the grid has any.
    long GetRow() const;
    void SetRow(long row);
    long GetCol() const;
    void SetCol(long col);
    long GetRowSel() const;

    // Replaces the text of the current cell.
    void SetText(const QString &text);
    QString GetTextMatrix(long row, long col) const;
    void SetTextMatrix(long row, long col, const QString &text);

    void SetWordWrap(bool on);
    // 0 never highlight the selection, 1 always, 2 only while the grid has the focus.
    short GetHighLight() const { return m_highLight; }
    void SetHighLight(short mode);
    // 0 free, 1 by row, 2 by column.
    void SetSelectionMode(long mode);
    // 4 centres horizontally and vertically; see the flexAlign values.
    void SetColAlignment(long col, short alignment);

    // The cell under the mouse pointer at the last mouse event over the grid;
    // -1 when the pointer was over no cell.
    long GetMouseRow() const { return m_mouseRow; }
    long GetMouseCol() const { return m_mouseCol; }

    // The width shown: a grid wider than the widths set shares the rest
    // among its non-fixed columns, in proportion to their set widths.
    long GetColWidth(long col) const;
    void SetColWidth(long col, long twips);
    long GetRowHeight(long row) const;
    // Left of the column and top of the row, measured from the grid's client
    // area (inside its border), in twips; scrolled columns and rows move.
    long GetColPos(long col) const;
    long GetRowPos(long row) const;
    // True when the column is at least partly scrolled into view.
    bool GetColIsVisible(long col) const;

    // Twips per pixel of this screen, as integer quotients.
    int twipsPerPixelX() const;
    int twipsPerPixelY() const;

signals:
    void EnterCell();
    // button: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt;
    // x and y in twips from the grid's client area.
    void MouseDown(short button, short shift, long x, long y);
    void Scroll();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Keys that QTableView handles itself: selecting a range, moving without selecting.
    static bool extendsSelection(int key, Qt::KeyboardModifiers modifiers);
    void ensureCurrentCell();
    void applyHighLight();
    void trackMouse(const QPoint &gridPos);
    void raiseMouseDown(QMouseEvent *event);
    void moveCurrent(int modelRow, int modelCol);
    void shareExtraWidth();
    QPoint clientOrigin() const;
    Qt::Alignment cellAlignment(int modelCol) const;
    int cellRows() const;
    int cellCols() const;
    // The model's index of a non-fixed cell; invalid for a fixed one or
    // outside the grid.
    QModelIndex cellIndex(long row, long col) const;

    int m_fixedRows = 1;
    int m_fixedCols = 1;
    short m_highLight = 1;
    long m_mouseRow = -1;
    long m_mouseCol = -1;
    QPoint m_pressPos; // of the last press on a header, client pixels
    QString m_cornerText;
    QAbstractButton *m_corner = nullptr;
    Qt::Alignment m_cornerAlignment = Qt::AlignCenter;
    QHash<long, Qt::Alignment> m_colAlignment; // by grid column
    QList<int> m_givenWidths;                  // pixels, by column, as SetColWidth set them
};

} // namespace kdw
