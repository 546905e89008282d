#include "gui/grid/msflexgrid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRawFont>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStyleOptionHeader>
#include <QStylePainter>

#include <future>
#include <system_error>

namespace kdw {

namespace {

// The grid's alignment values: 0..8 are left/centre/right by top/centre/bottom.
Qt::Alignment alignmentFor(short value)
{
    if (value < 0 || value > 8)
        return Qt::AlignLeft | Qt::AlignVCenter;
    static constexpr Qt::AlignmentFlag horizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static constexpr Qt::AlignmentFlag vertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return horizontal[value / 3] | vertical[value % 3];
}

short buttonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

short shiftCode(Qt::KeyboardModifiers modifiers)
{
    return short((modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
                 | (modifiers & Qt::AltModifier ? 4 : 0));
}

// The grid's headers are as tall and as wide as the fixed row and column, so
// the table never needs a size hint measured from the section texts; the base
// class measures the first and last hundred of them, a good share of start-up.
class FixedHeader : public QHeaderView
{
public:
    using QHeaderView::QHeaderView;

    QSize sizeHint() const override
    {
        if (orientation() == Qt::Horizontal && minimumHeight() == maximumHeight())
            return {defaultSectionSize(), maximumHeight()};
        if (orientation() == Qt::Vertical && minimumWidth() == maximumWidth())
            return {maximumWidth(), defaultSectionSize()};
        return QHeaderView::sizeHint();
    }
};

// The line height of the font that stands in for the given one in Chinese
// text, as a text line's bounding box has it: ascent plus descent. Read from
// that font's metrics rather than by laying out Chinese text in it, which in
// English would shape a large font no visible text uses.
int chineseLineHeight(const QFont &font)
{
    const QRawFont chinese = QRawFont::fromFont(font, QFontDatabase::SimplifiedChinese);
    return chinese.isValid() ? qRound(chinese.ascent() + chinese.descent()) : 0;
}

QFont gridFont()
{
    return {QStringLiteral("Times New Roman"), 9};
}

// The height measureFontAhead() is finding, and the font it measures.
struct FontMeasurement
{
    QFont font;
    std::shared_future<int> chineseHeight;
};

FontMeasurement &measuredAhead()
{
    static FontMeasurement measurement;
    return measurement;
}

// Room for Latin and Chinese texts: the Chinese fallback font is taller.
int lineHeightFor(const QFont &font)
{
    const FontMeasurement &ahead = measuredAhead();
    const int chinese
        = ahead.chineseHeight.valid() && ahead.font == font ? ahead.chineseHeight.get() : chineseLineHeight(font);
    return qMax(QFontMetrics(font).height(), chinese) + 6;
}

// What measureFontAhead() does on its thread; returns the grid's Chinese line
// height. Qt makes the table that blends smoothed glyphs into the screen's
// colours when it first draws such a glyph, once for all threads (a Chinese
// font's glyphs are drawn so); the sample drawn here in the first font makes
// it while the window is built. The grid takes the result before the window
// draws anything, so the two threads never make it at once.
int measureFonts(const QStringList &fonts, const QString &sample, const std::function<void()> &more)
{
    for (const QString &description : fonts) {
        QFont font;
        if (font.fromString(description))
            (void)QFontMetrics(font).horizontalAdvance(sample);
    }
    if (more)
        more();
    QFont first;
    if (!sample.isEmpty() && !fonts.isEmpty() && first.fromString(fonts.front())) {
        QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(first);
        painter.drawText(QPoint(0, 24), sample);
    }
    const QFont grid = gridFont();
    if (!sample.isEmpty())
        (void)QFontMetrics(grid).horizontalAdvance(sample);
    return chineseLineHeight(grid);
}

} // namespace

CMSFlexGrid::CellDelegate::CellDelegate(CMSFlexGrid *grid)
    : QStyledItemDelegate(grid)
    , m_grid(grid)
{
}

void CMSFlexGrid::CellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                      const QModelIndex &index) const
{
    // The current cell of a grid with the focus gets a frame in the text's
    // colour, whatever the style: the style's own frame may wait for a key
    // or be too faint to see on the dark palette.
    QStyledItemDelegate::paint(painter, option, index);
    if (!(option.state & QStyle::State_HasFocus))
        return;
    painter->save();
    QPen pen(option.palette.color(QPalette::Text), FocusFrameWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    const int inset = FocusFrameWidth / 2 + 1;
    painter->drawRect(option.rect.adjusted(inset, inset, -inset - 1, -inset - 1));
    painter->restore();
}

void CMSFlexGrid::CellDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->displayAlignment = m_grid->cellAlignment(index.column());
}

void CMSFlexGrid::measureFontAhead(const QStringList &fonts, const QString &sample, const std::function<void()> &more)
{
    // Fonts may be resolved on any thread once the application exists. Each
    // thread keeps its own font engines, and a font shares them with its
    // copies: the thread makes its own fonts, so nothing it loaded outlives it.
    FontMeasurement &ahead = measuredAhead();
    ahead.font = gridFont();
    try {
        ahead.chineseHeight = std::async(std::launch::async, [fonts, sample, more] {
                                  return measureFonts(fonts, sample, more);
                              }).share();
    } catch (const std::system_error &) {
        ahead.chineseHeight = {}; // no thread to spare: the grid measures it when built
    }
}

CMSFlexGrid::CMSFlexGrid(QWidget *parent)
    : CMSFlexGrid(nullptr, parent)
{
}

CMSFlexGrid::CMSFlexGrid(QAbstractItemModel *model, QWidget *parent)
    : QTableView(parent)
{
    if (!model)
        QTableView::setModel(new QStandardItemModel(this));
    setItemDelegate(new CellDelegate(this));
    setHorizontalHeader(new FixedHeader(Qt::Horizontal, this));
    setVerticalHeader(new FixedHeader(Qt::Vertical, this));
    setFont(gridFont());
    setEditTriggers(NoEditTriggers);
    setTabKeyNavigation(false); // Tab leaves the grid for the next control
    setAutoScroll(true);
    setMouseTracking(true);

    const int lineHeight = lineHeightFor(font());
    for (QHeaderView *header : {horizontalHeader(), verticalHeader()}) {
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setSectionsClickable(true);
        header->setHighlightSections(false);
        header->setFocusPolicy(Qt::NoFocus);
        header->setDefaultAlignment(Qt::AlignCenter);
        header->setMouseTracking(true);
        header->viewport()->setMouseTracking(true);
        header->viewport()->installEventFilter(this);
    }
    // A click on a column title selects nothing: rows are selected by their
    // labels, cells by a click on them.
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setFixedHeight(lineHeight);
    horizontalHeader()->setDefaultSectionSize(DefaultColWidth / twipsPerPixelX());
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(lineHeight);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setFixedWidth(DefaultColWidth / twipsPerPixelX());

    // A press on a header selects a row or column first (the table's own
    // reaction to sectionPressed); MouseDown follows it.
    for (QHeaderView *header : {horizontalHeader(), verticalHeader()}) {
        connect(header, &QHeaderView::sectionPressed, this, [this] {
            emit MouseDown(1, shiftCode(QGuiApplication::keyboardModifiers()), long(m_pressPos.x()) * twipsPerPixelX(),
                           long(m_pressPos.y()) * twipsPerPixelY());
        });
    }

    m_corner = findChild<QAbstractButton *>();
    if (m_corner)
        m_corner->installEventFilter(this);

    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CMSFlexGrid::Scroll);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &CMSFlexGrid::Scroll);
    applyHighLight();
    if (model)
        setModel(model);
}

int CMSFlexGrid::twipsPerPixelX() const
{
    return 1440 / qMax(1, logicalDpiX());
}

int CMSFlexGrid::twipsPerPixelY() const
{
    return 1440 / qMax(1, logicalDpiY());
}

void CMSFlexGrid::setModel(QAbstractItemModel *model)
{
    // The view leaves the selection model it made to whoever replaces it.
    QItemSelectionModel *old = selectionModel();
    QTableView::setModel(model);
    delete old;
    m_givenWidths.resize(cellCols(), horizontalHeader()->defaultSectionSize());
    shareExtraWidth();
    ensureCurrentCell();
}

int CMSFlexGrid::cellRows() const
{
    return model() ? model()->rowCount() : 0;
}

int CMSFlexGrid::cellCols() const
{
    return model() ? model()->columnCount() : 0;
}

// A grid with cells always has a current cell, as the control had.
void CMSFlexGrid::ensureCurrentCell()
{
    if (!currentIndex().isValid() && cellRows() > 0 && cellCols() > 0)
        selectionModel()->setCurrentIndex(model()->index(0, 0), QItemSelectionModel::NoUpdate);
}

long CMSFlexGrid::GetRows() const
{
    return cellRows() + m_fixedRows;
}

// A model of a fixed size (the channel table) keeps its rows and columns;
// the grid's own table takes the count given. Header texts of new rows and
// columns start empty, as a new grid's fixed cells are.
void CMSFlexGrid::SetRows(long rows)
{
    const int old = cellRows();
    const int count = int(qMax(0L, rows - m_fixedRows));
    if (count > old && model()->insertRows(old, count - old)) {
        for (int r = old; r < count; ++r)
            model()->setHeaderData(r, Qt::Vertical, QString());
    } else if (count < old) {
        model()->removeRows(count, old - count);
    }
    ensureCurrentCell();
}

long CMSFlexGrid::GetCols() const
{
    return cellCols() + m_fixedCols;
}

void CMSFlexGrid::SetCols(long cols)
{
    const int old = cellCols();
    const int count = int(qMax(0L, cols - m_fixedCols));
    if (count > old && model()->insertColumns(old, count - old)) {
        for (int c = old; c < count; ++c)
            model()->setHeaderData(c, Qt::Horizontal, QString());
    } else if (count < old) {
        model()->removeColumns(count, old - count);
    }
    m_givenWidths.resize(cellCols(), horizontalHeader()->defaultSectionSize());
    shareExtraWidth();
    ensureCurrentCell();
}

void CMSFlexGrid::SetFixedRows(long rows)
{
    // The fixed row is the header: one or none.
    const long total = GetRows();
    m_fixedRows = rows > 0 ? 1 : 0;
    horizontalHeader()->setVisible(m_fixedRows == 1);
    SetRows(total);
}

void CMSFlexGrid::SetFixedCols(long cols)
{
    const long total = GetCols();
    m_fixedCols = cols > 0 ? 1 : 0;
    verticalHeader()->setVisible(m_fixedCols == 1);
    SetCols(total);
}

long CMSFlexGrid::GetRow() const
{
    const QModelIndex current = currentIndex();
    return (current.isValid() ? current.row() : 0) + m_fixedRows;
}

long CMSFlexGrid::GetCol() const
{
    const QModelIndex current = currentIndex();
    return (current.isValid() ? current.column() : 0) + m_fixedCols;
}

long CMSFlexGrid::GetRowSel() const
{
    return GetRow();
}

void CMSFlexGrid::SetRow(long row)
{
    moveCurrent(int(row - m_fixedRows), int(GetCol() - m_fixedCols));
}

void CMSFlexGrid::SetCol(long col)
{
    moveCurrent(int(GetRow() - m_fixedRows), int(col - m_fixedCols));
}

void CMSFlexGrid::moveCurrent(int modelRow, int modelCol)
{
    if (modelRow < 0 || modelRow >= cellRows() || modelCol < 0 || modelCol >= cellCols())
        return;
    setCurrentIndex(model()->index(modelRow, modelCol));
}

QModelIndex CMSFlexGrid::cellIndex(long row, long col) const
{
    if (row < m_fixedRows || col < m_fixedCols || row >= GetRows() || col >= GetCols())
        return {};
    return model()->index(int(row - m_fixedRows), int(col - m_fixedCols));
}

void CMSFlexGrid::SetText(const QString &text)
{
    SetTextMatrix(GetRow(), GetCol(), text);
}

QString CMSFlexGrid::GetTextMatrix(long row, long col) const
{
    if (row < 0 || col < 0 || row >= GetRows() || col >= GetCols())
        return {};
    if (row < m_fixedRows && col < m_fixedCols)
        return m_cornerText; // the corner: held apart
    if (row < m_fixedRows)
        return model()->headerData(int(col - m_fixedCols), Qt::Horizontal).toString();
    if (col < m_fixedCols)
        return model()->headerData(int(row - m_fixedRows), Qt::Vertical).toString();
    return model()->data(cellIndex(row, col)).toString();
}

void CMSFlexGrid::SetTextMatrix(long row, long col, const QString &text)
{
    if (row < 0 || col < 0 || row >= GetRows() || col >= GetCols())
        return;
    if (row < m_fixedRows && col < m_fixedCols) {
        m_cornerText = text;
        if (m_corner)
            m_corner->update();
    } else if (row < m_fixedRows) {
        model()->setHeaderData(int(col - m_fixedCols), Qt::Horizontal, text);
    } else if (col < m_fixedCols) {
        model()->setHeaderData(int(row - m_fixedRows), Qt::Vertical, text);
    } else {
        model()->setData(cellIndex(row, col), text);
    }
}

void CMSFlexGrid::SetWordWrap(bool on)
{
    setWordWrap(on);
}

void CMSFlexGrid::SetHighLight(short mode)
{
    m_highLight = mode;
    applyHighLight();
}

void CMSFlexGrid::applyHighLight()
{
    // The selection is painted in the highlight colours; "not highlighted"
    // paints it like any other cell.
    QPalette p = palette();
    const QPalette normal = QApplication::palette(this);
    const bool show = m_highLight == 1 || (m_highLight == 2 && hasFocus());
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Highlight,
                   show ? normal.color(QPalette::Active, QPalette::Highlight) : normal.color(group, QPalette::Base));
        p.setColor(group, QPalette::HighlightedText,
                   show ? normal.color(QPalette::Active, QPalette::HighlightedText)
                        : normal.color(group, QPalette::Text));
    }
    setPalette(p);
}

void CMSFlexGrid::SetSelectionMode(long mode)
{
    setSelectionMode(ExtendedSelection);
    setSelectionBehavior(mode == 1 ? SelectRows : mode == 2 ? SelectColumns : SelectItems);
}

void CMSFlexGrid::SetColAlignment(long col, short alignment)
{
    const Qt::Alignment a = alignmentFor(alignment);
    if (col < m_fixedCols) {
        verticalHeader()->setDefaultAlignment(a);
        return;
    }
    m_colAlignment.insert(col, a);
    viewport()->update();
}

Qt::Alignment CMSFlexGrid::cellAlignment(int modelCol) const
{
    return m_colAlignment.value(modelCol + m_fixedCols, Qt::AlignLeft | Qt::AlignVCenter);
}

QPoint CMSFlexGrid::clientOrigin() const
{
    return {frameWidth(), frameWidth()};
}

long CMSFlexGrid::GetColWidth(long col) const
{
    const int px = col < m_fixedCols ? verticalHeader()->width() : columnWidth(int(col - m_fixedCols));
    return long(px) * twipsPerPixelX();
}

void CMSFlexGrid::SetColWidth(long col, long twips)
{
    const int px = int(qMax(0L, twips) / twipsPerPixelX());
    if (col < m_fixedCols)
        verticalHeader()->setFixedWidth(px);
    else if (col - m_fixedCols < m_givenWidths.size())
        m_givenWidths[col - m_fixedCols] = px;
    shareExtraWidth();
}

void CMSFlexGrid::shareExtraWidth()
{
    // Each column is as wide as it was set; a grid wider than that shares the
    // rest among its columns in proportion, so no blank band is left at the
    // right.
    qint64 given = 0;
    for (int width : std::as_const(m_givenWidths))
        given += width;
    const qint64 extra = qMax(0, viewport()->width()) - given;
    qint64 sum = 0;
    qint64 handedOut = 0;
    for (int c = 0; c < m_givenWidths.size(); ++c) {
        sum += m_givenWidths.at(c);
        const qint64 share = extra > 0 && given > 0 ? extra * sum / given - handedOut : 0;
        handedOut += share;
        if (columnWidth(c) != m_givenWidths.at(c) + share)
            setColumnWidth(c, int(m_givenWidths.at(c) + share));
    }
}

void CMSFlexGrid::resizeEvent(QResizeEvent *event)
{
    // Also called when the scroll bars take or give back room.
    QTableView::resizeEvent(event);
    shareExtraWidth();
}

long CMSFlexGrid::GetRowHeight(long row) const
{
    const int px = row < m_fixedRows ? horizontalHeader()->height() : rowHeight(int(row - m_fixedRows));
    return long(px) * twipsPerPixelY();
}

long CMSFlexGrid::GetColPos(long col) const
{
    int px = 0;
    if (col >= m_fixedCols)
        px = viewport()->geometry().left() - clientOrigin().x() + columnViewportPosition(int(col - m_fixedCols));
    return long(px) * twipsPerPixelX();
}

long CMSFlexGrid::GetRowPos(long row) const
{
    int px = 0;
    if (row >= m_fixedRows)
        px = viewport()->geometry().top() - clientOrigin().y() + rowViewportPosition(int(row - m_fixedRows));
    return long(px) * twipsPerPixelY();
}

bool CMSFlexGrid::GetColIsVisible(long col) const
{
    if (col < 0 || col >= GetCols())
        return false;
    if (col < m_fixedCols)
        return true;
    const int left = columnViewportPosition(int(col - m_fixedCols));
    return !isColumnHidden(int(col - m_fixedCols)) && left < viewport()->width()
           && left + columnWidth(int(col - m_fixedCols)) > 0;
}

void CMSFlexGrid::trackMouse(const QPoint &gridPos)
{
    const QRect area = viewport()->geometry();
    if (gridPos.x() < area.left())
        m_mouseCol = m_fixedCols ? 0 : -1;
    else {
        const int c = columnAt(gridPos.x() - area.left());
        m_mouseCol = c < 0 ? -1 : c + m_fixedCols;
    }
    if (gridPos.y() < area.top())
        m_mouseRow = m_fixedRows ? 0 : -1;
    else {
        const int r = rowAt(gridPos.y() - area.top());
        m_mouseRow = r < 0 ? -1 : r + m_fixedRows;
    }
}

void CMSFlexGrid::raiseMouseDown(QMouseEvent *event)
{
    const QPoint p = mapFromGlobal(event->globalPosition().toPoint()) - clientOrigin();
    emit MouseDown(buttonCode(event->button()), shiftCode(event->modifiers()), long(p.x()) * twipsPerPixelX(),
                   long(p.y()) * twipsPerPixelY());
}

void CMSFlexGrid::mousePressEvent(QMouseEvent *event)
{
    trackMouse(viewport()->mapTo(this, event->position().toPoint()));
    // The current cell moves first, so MouseDown sees the cell clicked.
    QTableView::mousePressEvent(event);
    raiseMouseDown(event);
}

void CMSFlexGrid::mouseMoveEvent(QMouseEvent *event)
{
    trackMouse(viewport()->mapTo(this, event->position().toPoint()));
    QTableView::mouseMoveEvent(event);
}

bool CMSFlexGrid::eventFilter(QObject *watched, QEvent *event)
{
    auto *w = qobject_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
        if (w && w != viewport()) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            trackMouse(w->mapTo(this, mouse->position().toPoint()));
            if (event->type() == QEvent::MouseButtonPress)
                m_pressPos = w->mapTo(this, mouse->position().toPoint()) - clientOrigin();
            // A left press on a header raises MouseDown through sectionPressed,
            // after the table has selected the row or column.
            if (event->type() == QEvent::MouseButtonPress && (w == m_corner || mouse->button() != Qt::LeftButton))
                raiseMouseDown(mouse);
        }
        break;
    case QEvent::Paint:
        if (w && w == m_corner) {
            // The corner cell shows its text like a header section.
            QStylePainter painter(m_corner);
            QStyleOptionHeader option;
            option.initFrom(m_corner);
            option.rect = m_corner->rect();
            option.text = m_cornerText;
            option.textAlignment = m_cornerAlignment;
            option.position = QStyleOptionHeader::OnlyOneSection;
            option.state |= QStyle::State_Raised;
            painter.drawControl(QStyle::CE_Header, option);
            return true;
        }
        break;
    default: break;
    }
    return QTableView::eventFilter(watched, event);
}

void CMSFlexGrid::keyPressEvent(QKeyEvent *event)
{
    // The arrow keys, Home and End move the current cell within the
    // non-fixed cells and stop at the edges (no wrapping).
    const QModelIndex current = currentIndex();
    const int r = current.isValid() ? current.row() : 0;
    const int c = current.isValid() ? current.column() : 0;
    // Shift extends the selection from the cell it started at, Ctrl moves
    // the current cell and keeps the selection, as in a spreadsheet.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier);
    if (extendsSelection(event->key(), modifiers)) {
        QTableView::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Right: moveCurrent(r, qMin(c + 1, cellCols() - 1)); return;
    case Qt::Key_Left: moveCurrent(r, qMax(c - 1, 0)); return;
    case Qt::Key_Down: moveCurrent(qMin(r + 1, cellRows() - 1), c); return;
    case Qt::Key_Up: moveCurrent(qMax(r - 1, 0), c); return;
    // With Ctrl, Home and End go to the first and the last cell of the grid.
    case Qt::Key_Home: moveCurrent(event->modifiers() & Qt::ControlModifier ? 0 : r, 0); return;
    case Qt::Key_End:
        moveCurrent(event->modifiers() & Qt::ControlModifier ? cellRows() - 1 : r, cellCols() - 1);
        return;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Tab:
    case Qt::Key_Backtab: QTableView::keyPressEvent(event); return;
    default:
        if (event->matches(QKeySequence::Copy)) {
            QTableView::keyPressEvent(event);
            return;
        }
        // No search by typing: the grid does not move on letters.
        event->ignore();
        return;
    }
}

bool CMSFlexGrid::extendsSelection(int key, Qt::KeyboardModifiers modifiers)
{
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right: return modifiers == Qt::ShiftModifier || modifiers == Qt::ControlModifier;
    case Qt::Key_Home:
    case Qt::Key_End: return modifiers == Qt::ShiftModifier;
    default: return false;
    }
}

void CMSFlexGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (current.isValid() && current != previous)
        emit EnterCell();
}

void CMSFlexGrid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    // The selection colours are taken from the application's palette: a new
    // theme gives new ones, or the selection would keep the old theme's. The
    // palette this sets is the same when it comes back, and stops there.
    if (event->type() == QEvent::PaletteChange)
        applyHighLight();
}

void CMSFlexGrid::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    if (m_highLight == 2)
        applyHighLight();
}

void CMSFlexGrid::focusOutEvent(QFocusEvent *event)
{
    QTableView::focusOutEvent(event);
    if (m_highLight == 2)
        applyHighLight();
}

} // namespace kdw
