#pragma once

#include "core/text/language.h"
#include "gui/grid/msflexgrid.h"

class QComboBox;
class QLineEdit;

namespace kdw {

// Hosts the form's four in-place editors over the grid's cells: which editor
// serves a column, the cell's text put into it, and its place over the cell,
// kept as the grid scrolls or grows. The editors are the form's own controls
// and stay its children; the delegate never makes or deletes one. Committing
// is the form's (its rules report clamps and keep its keys), so the delegate
// only ends an editing when told to (release) and takes no keys itself.
class CellEditorDelegate : public CMSFlexGrid::CellDelegate
{
    Q_OBJECT

public:
    struct Editors
    {
        QLineEdit *frequency = nullptr; // Rx Freq, Tx Freq
        QComboBox *tone = nullptr;      // Rx Tone, Tx Tone
        QComboBox *choice = nullptr;    // Busy Lock, Power, Scan Add, Bandwidth
        QLineEdit *name = nullptr;      // Name
    };

    CellEditorDelegate(CMSFlexGrid *grid, const Editors &editors, Language language);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void destroyEditor(QWidget *editor, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

    // Ends the editing `editor` serves; the form has committed or dropped
    // its text. The editor is hidden.
    void release(QWidget *editor);

signals:
    // The grid ends an editing by itself (its current cell moved on): the
    // form commits the editor's text.
    void commitRequested(QWidget *editor, const QModelIndex &index);

protected:
    // The form's event filter holds the keys and the focus rules.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    CMSFlexGrid *m_grid;
    Editors m_editors;
    Language m_language;
};

} // namespace kdw
