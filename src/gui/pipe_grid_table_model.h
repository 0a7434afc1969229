#pragma once
// The grid's rows for a QTableView: the plain inputs editable, one row per pipe, quantities
// right-aligned, data rows numbered from 1 in the vertical header.

#include <QAbstractTableModel>
#include <QStyledItemDelegate>

#include "forms/pipe_grid_form.h"

namespace pelvane::gui {

class PipeGridTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    PipeGridTableModel(const forms::PipeGridForm& form, QObject* parent);

    // An edited cell is handed on (row and column from 0) rather than written here:
    // the grid runs the edit as a command once the editor has closed.
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  signals:
    void cell_edited(int row, int column, const QString& text);

  public:
    // Takes the form's rows again after they were re-read.
    void reload();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    const forms::PipeGridForm& form_;
};

// The in-place editor of a cell: a list of the values the form offers for it (shapes,
// materials, standard diameters), else a line edit.
class PipeGridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    PipeGridCellDelegate(const forms::PipeGridForm& form, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

  private:
    const forms::PipeGridForm& form_;
};

}  // namespace pelvane::gui
