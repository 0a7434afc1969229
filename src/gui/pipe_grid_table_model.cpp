#include "gui/pipe_grid_table_model.h"

#include <QColor>

namespace pelvane::gui {

PipeGridTableModel::PipeGridTableModel(const forms::PipeGridForm& form, QObject* parent)
    : QAbstractTableModel(parent), form_(form) {}

void PipeGridTableModel::reload() {
    beginResetModel();
    endResetModel();
}

int PipeGridTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : form_.record_count();
}

int PipeGridTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(form_.columns().size());
}

QVariant PipeGridTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const auto column = static_cast<std::size_t>(index.column());
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole || role == Qt::EditRole) {
        const auto& row = form_.rows()[static_cast<std::size_t>(index.row())];
        QString text = QString::fromStdString(row[column]);
        if (role == Qt::ToolTipRole) {
            const std::string marks = form_.row_marks(index.row() + 1);
            if (!marks.empty()) text += "\n" + QString::fromStdString(marks);
        }
        return text;
    }
    // A pipe that breaks a design rule is tinted; its tooltip names the rules.
    if (role == Qt::BackgroundRole && !form_.row_marks(index.row() + 1).empty()) {
        return QColor(0xfd, 0xe2, 0xd8);
    }
    if (role == Qt::TextAlignmentRole) {
        const bool right = form_.columns()[column].quantity;
        return QVariant::fromValue(Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft));
    }
    return {};
}

Qt::ItemFlags PipeGridTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && form_.cell_editable(static_cast<std::size_t>(index.column()))) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

bool PipeGridTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    emit cell_edited(index.row(), index.column(), value.toString());
    return false;
}

QVariant PipeGridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    const auto index = static_cast<std::size_t>(section);
    const std::string_view heading = form_.columns()[index].heading;
    QString text = QString::fromUtf8(heading.data(), static_cast<qsizetype>(heading.size()));
    // The unit stands on a line of its own under the heading.
    const std::string unit = form_.column_unit(index);
    if (!unit.empty()) text += "\n" + QString::fromStdString(unit);
    return text;
}

}  // namespace pelvane::gui
