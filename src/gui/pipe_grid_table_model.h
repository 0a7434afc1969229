#pragma once
// The grid's rows for a QTableView: read-only, one row per pipe, quantities
// right-aligned, data rows numbered from 1 in the vertical header.

#include <QAbstractTableModel>

#include "forms/pipe_grid_form.h"

namespace pelvane::gui {

class PipeGridTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    PipeGridTableModel(const forms::PipeGridForm& form, QObject* parent);

    // Takes the form's rows again after they were re-read.
    void reload();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    const forms::PipeGridForm& form_;
};

}  // namespace pelvane::gui
