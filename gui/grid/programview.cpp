#include "gui/grid/programview.h"

#include "core/channels/channeltablemodel.h"
#include "core/channels/frequencyrules.h"
#include "core/image/programdoc.h"
#include "core/image/sinfile.h"
#include "core/program/helploader.h"
#include "core/text/localisedtext.h"
#include "gui/dialogs/controlids.h"
#include "gui/dialogs/dialogtemplate.h"
#include "gui/dialogs/messagebox.h"
#include "gui/frame/documentcommands.h"
#include "gui/frame/documenthistory.h"
#include "gui/grid/celleditordelegate.h"
#include "gui/grid/findbar.h"
#include "gui/grid/msflexgrid.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace kdw {

namespace {

constexpr int GridRows = 100;
constexpr int GridCols = 10;

constexpr QStringView ModelItem = u"KDW417U01";
constexpr QStringView DefaultFactoryFile = u"DEF_U01.sin";

// The grid's name for assistive technology.
constexpr LocalisedText ChannelTableName{u"Channel table", u"信道表", u"信道表"};
constexpr LocalisedText PromptCaption{u"Prompt", u"提示", u"提示"};
constexpr LocalisedText DefaultFileMissing{u"Cound not found default file", u"没找到默认文件", u"沒找到默認文件"};
constexpr LocalisedText DefaultFileUnreadable{
    u"The default file \"%1\" cannot be read.\n%2\nThe channels were not changed.",
    u"无法读取默认文件“%1”。\n%2\n信道没有改变。", u"無法讀取默認文件「%1」。\n%2\n信道沒有改變。"};

// A control of the template, or a new one when the bundle's template lacks
// it, so an incomplete bundle cannot leave the view without its controls.
template <typename T>
T *control(QWidget *form, int id)
{
    if (auto *found = form->findChild<T *>(controlName(id)))
        return found;
    auto *made = new T(form);
    made->setObjectName(controlName(id));
    made->hide();
    return made;
}

} // namespace

CProgramView::CProgramView(CProgramDoc &doc, DocumentCommands &commands, QWidget *parent)
    : QWidget(parent)
    , m_doc(doc)
    , m_commands(commands)
    , m_table(commands.channelTable())
{
    setObjectName(QStringLiteral("CProgramView"));
    m_form = loadTemplateWidget(101, this);
    if (!m_form)
        m_form = new QWidget(this);
    // The form starts at the template's size and grows with the window; the
    // grid takes the growth (more rows and room to the right).
    m_formSize = m_form->size();
    m_form->setMinimumSize(m_formSize);
    m_form->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    m_form->installEventFilter(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_form);

    m_nameEdit = control<QLineEdit>(m_form, ctl::form::NameEdit);
    m_comboModel = control<QComboBox>(m_form, ctl::form::Model);
    m_comboRange = control<QComboBox>(m_form, ctl::form::Range);
    m_freqEdit = control<QLineEdit>(m_form, ctl::form::FreqEdit);
    m_choiceCombo = control<QComboBox>(m_form, ctl::form::ChoiceCombo);
    m_toneCombo = control<QComboBox>(m_form, ctl::form::ToneCombo);
    m_factoryButton = control<QPushButton>(m_form, ctl::form::DefaultFactory);
    m_comboModel->show();
    m_comboRange->show();
    m_factoryButton->show();

    // The template holds a placeholder where the grid goes.
    m_grid = new CMSFlexGrid(&m_table, m_form);
    if (QWidget *placeholder = m_form->findChild<QWidget *>(controlName(ctl::form::Grid))) {
        m_grid->setGeometry(placeholder->geometry());
        delete placeholder;
    }
    m_gridRect = m_grid->geometry();
    m_grid->setObjectName(controlName(ctl::form::Grid));
    m_grid->setAccessibleName(ChannelTableName.text(m_doc.language()));
    m_findBar = new CFindBar(m_table, *m_grid, m_doc.language(), this);
    layout->setSpacing(0);
    layout->addWidget(m_findBar);
    m_findBar->installEventFilter(this);
    setUpFocus();

    layoutGrid();
    // Model item: the language current when the view is made. The tone
    // editor takes its list when a tone is first edited.
    m_toneCombo->clear();
    m_comboModel->clear();
    m_comboModel->addItem(ModelItem.toString());
    setUpEditors();

    connect(m_comboModel, &QComboBox::activated, this, &CProgramView::OnModelChanged);
    connect(m_comboRange, &QComboBox::activated, this, &CProgramView::OnFrequencyRangeChanged);
    connect(m_factoryButton, &QPushButton::clicked, this, &CProgramView::OnDefaultFactory);

    // The commands load and store the table; the form keeps its editors and
    // lists in step with it.
    connect(&m_table, &ChannelTableModel::loadStarting, this, &CProgramView::discardOpenEditor);
    connect(&m_table, &ChannelTableModel::loaded, this, &CProgramView::showListSelections);
    connect(&m_table, &ChannelTableModel::finishEditingRequested, this, &CProgramView::commitOpenEditor);
    connect(&m_doc, &CProgramDoc::contentReplaced, this, &CProgramView::OnInitialUpdate);
}

CProgramView::~CProgramView() = default;

DocumentHistory &CProgramView::history()
{
    return m_commands.history();
}

void CProgramView::setUpFocus()
{
    // Tab order follows the template: the lists, the button, then the grid.
    // The focus starts in the grid, so what is typed at once goes into a cell.
    QWidget::setTabOrder(m_factoryButton, m_grid);
    m_grid->setFocus(Qt::OtherFocusReason);
    // Default Factory's access key moves the focus to it, as the labels'
    // keys do: a key pressed by mistake does not replace the channels.
    m_factoryButton->installEventFilter(this);
}

void CProgramView::layoutGrid()
{
    m_grid->SetRows(GridRows);
    m_grid->SetCols(GridCols);
    m_grid->SetFixedRows(1);
    m_grid->SetFixedCols(1);
    m_grid->SetWordWrap(true);
    m_grid->SetSelectionMode(0);
    const QStringList headers = gridHeaderTexts(m_doc.language());
    for (int col = 0; col < GridCols; ++col) {
        m_grid->SetTextMatrix(0, col, headers.value(col));
        m_grid->SetColAlignment(col, 4);
    }
    for (int row = 1; row < GridRows; ++row)
        m_grid->SetTextMatrix(row, 0, QString::number(row));
    // Column 0 is narrow; 1 to 7 take the initial width of column 0; 8 and 9
    // keep their own.
    const long width = m_grid->GetColWidth(0);
    m_grid->SetColWidth(0, long(width * 0.47));
    for (int col = 1; col <= 7; ++col)
        m_grid->SetColWidth(col, width);
    m_grid->SetRow(1);
    m_grid->SetCol(1);
}

void CProgramView::placeGrid()
{
    const QSize grown = m_form->size() - m_formSize;
    // With the find bar under it the grid reaches down to the bar: the form's
    // margin below the grid would stand between them as an empty band.
    const int margin = m_findBar->isVisible() ? m_formSize.height() - m_gridRect.bottom() - 1 : 0;
    m_grid->setGeometry(m_gridRect.adjusted(0, 0, qMax(0, grown.width()), qMax(0, grown.height()) + margin));
}

void CProgramView::OnInitialUpdate()
{
    // The frame fits the form for the first document only: New and Open
    // leave the window the size, place and state the user gave it.
    if (!m_frameFitted)
        fitFrameToForm();
    m_frameFitted = true;
}

void CProgramView::fitFrameToForm()
{
    // The frame shrinks to fit the form; it never grows.
    auto *frame = qobject_cast<QMainWindow *>(window());
    if (!frame || frame->centralWidget() != this)
        return;
    if (frame->layout())
        frame->layout()->activate();
    const QSize wanted = frame->sizeHint();
    frame->resize(qMin(frame->width(), wanted.width()), qMin(frame->height(), wanted.height()));
}

void CProgramView::showStatus(const QString &text)
{
    if (auto *frame = qobject_cast<QMainWindow *>(window()))
        frame->statusBar()->showMessage(text);
}

void CProgramView::OnModelChanged()
{
    // Every model offers the same frequency ranges.
    m_comboRange->clear();
    m_comboRange->addItems(frequencyRangeItems());
    m_comboRange->setCurrentIndex(0);
    OnFrequencyRangeChanged();
}

void CProgramView::OnFrequencyRangeChanged()
{
    const int index = qMax(0, m_comboRange->currentIndex());
    m_table.setListSelections(quint8(qMax(0, m_comboModel->currentIndex())), quint8(index),
                              frequencyRangeFromItem(m_comboRange->itemText(index)));
}

FrequencyRange CProgramView::frequencyRange() const
{
    return m_table.frequencyRange();
}

void CProgramView::gridLoad()
{
    m_table.load();
}

void CProgramView::gridStore()
{
    m_table.store();
}

void CProgramView::discardOpenEditor()
{
    // An editor still open belongs to the content being replaced.
    if (QWidget *editor = openEditorWidget()) {
        m_cellEditors->release(editor);
        m_grid->setFocus(Qt::OtherFocusReason);
    }
}

void CProgramView::showListSelections()
{
    // A selection the lists do not offer shows (and stores) their first item.
    const int model = m_table.modelSelection();
    const int range = m_table.rangeSelection();
    m_comboModel->setCurrentIndex(model < m_comboModel->count() ? model : 0);
    OnModelChanged();
    m_comboRange->setCurrentIndex(range < m_comboRange->count() ? range : 0);
    OnFrequencyRangeChanged();
}

void CProgramView::OnFileSave()
{
    m_commands.OnFileSave();
}

void CProgramView::OnFileSaveAs()
{
    m_commands.OnFileSaveAs();
}

void CProgramView::OnHelp()
{
    // The main frame is the help's caller window.
    showHelp(quintptr(window()->winId()), m_doc.programDirectory(), m_doc.language());
}

void CProgramView::OnDefaultFactory()
{
    const QString path = m_doc.programDirectory() + DefaultFactoryFile.toString();
    if (!QFileInfo::exists(path)) {
        messageBox(this, PromptCaption.text(m_doc.language()), DefaultFileMissing.text(m_doc.language()));
        return;
    }
    // Read whole before anything changes: a failed read leaves the image as it
    // was. A shorter file replaces only its own length of the image.
    const SinLoadResult file = readSinFile(path, ShortSinFile::Keep);
    if (!file) {
        messageBox(this,
                   DefaultFileUnreadable.text(m_doc.language()).arg(QDir::toNativeSeparators(path), file.systemReason));
        return;
    }
    const MemoryImage before = m_doc.image();
    m_doc.image().copyIn(*file.bytes);
    gridLoad();
    history().record(before);
}

QPrinter &CProgramView::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

} // namespace kdw
