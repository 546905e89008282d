#include "gui/grid/findbar.h"

#include "core/channels/channeltablemodel.h"
#include "core/text/localisedtext.h"
#include "gui/grid/msflexgrid.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

namespace kdw {

namespace {

// Alt+I: Alt+F is the File menu's.
constexpr LocalisedText FindLabel{u"F&ind:", u"查找(&I)：", u"尋找(&I)："};
constexpr LocalisedText FindName{u"Find channels", u"查找信道", u"尋找信道"};
constexpr LocalisedText NextName{u"Next match (F3)", u"下一个匹配 (F3)", u"下一個符合項 (F3)"};
constexpr LocalisedText PreviousName{u"Previous match (Shift+F3)", u"上一个匹配 (Shift+F3)",
                                     u"上一個符合項 (Shift+F3)"};
constexpr LocalisedText CloseName{u"Close the find bar (Esc)", u"关闭查找栏 (Esc)", u"關閉尋找列 (Esc)"};
constexpr LocalisedText MatchOf{u"%1 of %2", u"第 %1 个，共 %2 个", u"第 %1 個，共 %2 個"};
constexpr LocalisedText OneMatch{u"1 match", u"1 个匹配", u"1 個符合項"};
constexpr LocalisedText Matches{u"%1 matches", u"%1 个匹配", u"%1 個符合項"};
constexpr LocalisedText NoMatch{u"No matches", u"无匹配", u"無符合項"};

bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

CFindBar::CFindBar(ChannelTableModel &table, CMSFlexGrid &grid, Language language, QWidget *parent)
    : QWidget(parent)
    , m_table(table)
    , m_grid(grid)
    , m_language(language)
    , m_edit(new QLineEdit(this))
    , m_previous(new QToolButton(this))
    , m_next(new QToolButton(this))
    , m_close(new QToolButton(this))
    , m_count(new QLabel(this))
{
    setObjectName(QStringLiteral("findBar"));
    auto *label = new QLabel(FindLabel.text(language), this);
    label->setBuddy(m_edit);
    m_edit->setObjectName(QStringLiteral("findText"));
    m_edit->setAccessibleName(FindName.text(language));
    m_edit->setMinimumWidth(m_edit->fontMetrics().averageCharWidth() * 24);
    m_noMatch = m_edit->addAction(QIcon(), QLineEdit::TrailingPosition);
    m_noMatch->setToolTip(NoMatch.text(language));
    m_noMatch->setVisible(false);
    const std::tuple<QToolButton *, const char *, Qt::ArrowType, LocalisedText> buttons[] = {
        {m_previous, "findPrevious", Qt::UpArrow, PreviousName},
        {m_next, "findNext", Qt::DownArrow, NextName},
        {m_close, "findClose", Qt::NoArrow, CloseName},
    };
    for (const auto &[button, name, arrow, text] : buttons) {
        button->setObjectName(QString::fromLatin1(name));
        button->setArrowType(arrow);
        button->setAutoRaise(true);
        button->setToolTip(text.text(language));
        button->setAccessibleName(text.text(language));
    }
    m_count->setObjectName(QStringLiteral("findCount"));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    for (QWidget *widget :
         {static_cast<QWidget *>(label), static_cast<QWidget *>(m_edit), static_cast<QWidget *>(m_previous),
          static_cast<QWidget *>(m_next), static_cast<QWidget *>(m_count)})
        layout->addWidget(widget);
    layout->addStretch();
    layout->addWidget(m_close);

    connect(m_edit, &QLineEdit::textEdited, this, &CFindBar::search);
    connect(m_previous, &QToolButton::clicked, this, &CFindBar::findPrevious);
    connect(m_next, &QToolButton::clicked, this, &CFindBar::findNext);
    connect(m_close, &QToolButton::clicked, this, &CFindBar::close);
    // The matches follow the cells; the count follows the current cell.
    const auto refreshShown = [this] {
        if (isVisible())
            refresh();
    };
    connect(&m_table, &QAbstractItemModel::dataChanged, this, refreshShown);
    connect(&m_grid, &CMSFlexGrid::EnterCell, this, refreshShown);
    m_edit->installEventFilter(this);
    hide();
}

void CFindBar::takeIcons()
{
    m_noMatch->setIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning));
    m_close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton, nullptr, this));
}

void CFindBar::showEvent(QShowEvent *event)
{
    if (m_close->icon().isNull())
        takeIcons();
    QWidget::showEvent(event);
}

void CFindBar::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if ((event->type() == QEvent::StyleChange || event->type() == QEvent::PaletteChange) && !m_close->icon().isNull())
        takeIcons();
}

void CFindBar::open()
{
    show();
    m_edit->setFocus(Qt::ShortcutFocusReason);
    m_edit->selectAll();
    refresh();
}

void CFindBar::findNext()
{
    step(1);
}

void CFindBar::findPrevious()
{
    step(-1);
}

void CFindBar::close()
{
    hide();
    m_grid.setFocus(Qt::OtherFocusReason);
}

ChannelCell CFindBar::currentCell() const
{
    return {int(m_grid.GetRow()), ChannelField(qBound(0, int(m_grid.GetCol()) - 1, ChannelFieldCount - 1))};
}

void CFindBar::search()
{
    refresh();
    if (!m_matches.isEmpty())
        showMatch(matchAtOrAfter(m_matches, currentCell()));
}

void CFindBar::step(int direction)
{
    if (m_edit->text().isEmpty()) {
        open();
        return;
    }
    show();
    refresh();
    const qsizetype at = matchAtOrAfter(m_matches, currentCell());
    // From a match the next one; from elsewhere the first one after the cell.
    const bool onMatch = at >= 0 && m_matches.at(at) == currentCell();
    showMatch(direction > 0 && !onMatch ? at : steppedMatch(m_matches.size(), at, direction));
}

void CFindBar::showMatch(qsizetype index)
{
    if (index < 0 || index >= m_matches.size())
        return;
    const ChannelCell cell = m_matches.at(index);
    const QModelIndex target = m_table.index(cell.channel - 1, int(cell.field));
    QWidget *focus = QApplication::focusWidget();
    m_grid.setCurrentIndex(target);
    m_grid.scrollTo(target);
    // A grid that scrolls takes the focus (so an open editor commits); the
    // typing goes on in the bar.
    if (focus && isAncestorOf(focus))
        focus->setFocus(Qt::OtherFocusReason);
    // Shown whether or not the grid has the focus: it stays in the bar while typing.
    m_grid.SetHighLight(1);
    refresh();
}

QString CFindBar::countText() const
{
    return m_count->text();
}

void CFindBar::refresh()
{
    m_matches = findCells(m_table.table(), m_edit->text());
    const qsizetype at = matchAtOrAfter(m_matches, currentCell());
    QString count;
    if (at >= 0 && m_matches.at(at) == currentCell())
        count = MatchOf.text(m_language).arg(at + 1).arg(m_matches.size());
    else if (m_matches.size() == 1)
        count = OneMatch.text(m_language);
    else if (!m_matches.isEmpty())
        count = Matches.text(m_language).arg(m_matches.size());
    else if (!m_edit->text().isEmpty())
        count = NoMatch.text(m_language);
    m_count->setText(count);
    m_noMatch->setVisible(m_matches.isEmpty() && !m_edit->text().isEmpty());
    // Read out with the field it belongs to.
    m_edit->setAccessibleDescription(count);
}

bool CFindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (isEnter(key)) {
            step(key->modifiers() & Qt::ShiftModifier ? -1 : 1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CFindBar::keyPressEvent(QKeyEvent *event)
{
    // From the line edit and the buttons alike.
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace kdw
