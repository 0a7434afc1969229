#include "gui/pipe_grid_table_model.h"

#include <QColor>
#include <QComboBox>
#include <QFont>

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
        const std::string_view cell =
            form_.shown_cell(static_cast<std::size_t>(index.row()), column);
        QString text = QString::fromUtf8(cell.data(), static_cast<qsizetype>(cell.size()));
        if (role == Qt::ToolTipRole) {
            const std::string marks = form_.row_marks(index.row() + 1);
            if (!marks.empty()) text += "\n" + QString::fromStdString(marks);
            if (form_.row_unsolved(index.row() + 1)) text += "\n" + QString(forms::kUnsolvedTip);
        }
        return text;
    }
    // An unsolved pipe is shaded and set in italics; a pipe that breaks a design rule is
    // tinted. Their tooltips say why.
    const bool unsolved = form_.row_unsolved(index.row() + 1);
    if (role == Qt::BackgroundRole && unsolved) return QColor(0xfb, 0xf0, 0xc8);
    if (role == Qt::BackgroundRole && !form_.row_marks(index.row() + 1).empty()) {
        return QColor(0xfd, 0xe2, 0xd8);
    }
    if (role == Qt::FontRole && unsolved) {
        QFont italic;
        italic.setItalic(true);
        return italic;
    }
    if (role == Qt::TextAlignmentRole) {
        const bool right = form_.columns()[column].quantity;
        return QVariant::fromValue(Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft));
    }
    return {};
}

Qt::ItemFlags PipeGridTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    using Edit = forms::PipeGridForm::CellEdit;
    if (index.isValid() && form_.cell_edit(index.row() + 1, static_cast<std::size_t>(
                                                                index.column())) == Edit::InPlace) {
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

PipeGridCellDelegate::PipeGridCellDelegate(const forms::PipeGridForm& form, QObject* parent)
    : QStyledItemDelegate(parent), form_(form) {}

QWidget* PipeGridCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                            const QModelIndex& index) const {
    const auto choices =
        form_.cell_choices(index.row() + 1, static_cast<std::size_t>(index.column()));
    if (choices.empty()) return QStyledItemDelegate::createEditor(parent, option, index);
    auto* list = new QComboBox(parent);
    for (const std::string& choice : choices) list->addItem(QString::fromStdString(choice));
    return list;
}

void PipeGridCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
        // A stored value the list does not hold ("CMP") is kept until another is chosen.
        const QString value = index.data(Qt::EditRole).toString();
        if (list->findText(value) < 0) list->insertItem(0, value);
        list->setCurrentText(value);
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void PipeGridCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                        const QModelIndex& index) const {
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
        model->setData(index, list->currentText(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

}  // namespace pelvane::gui
