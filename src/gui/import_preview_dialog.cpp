#include "gui/import_preview_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace pelvane::gui {
namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

QTableWidget* rows_table(const forms::ImportPreview& preview, QWidget* parent) {
    auto* table = new QTableWidget(static_cast<int>(preview.rows.size()),
                                   static_cast<int>(preview.header.size()), parent);
    table->setObjectName("import_rows");
    QStringList headings;
    for (const auto& heading : preview.header) headings << qt(heading);
    table->setHorizontalHeaderLabels(headings);
    for (std::size_t r = 0; r < preview.rows.size(); ++r) {
        const auto& cells = preview.rows[r];
        for (std::size_t c = 0; c < cells.size() && c < preview.header.size(); ++c) {
            table->setItem(static_cast<int>(r), static_cast<int>(c),
                           new QTableWidgetItem(qt(cells[c])));
        }
    }
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setResizeContentsPrecision(50);
    table->resizeColumnsToContents();
    return table;
}

}  // namespace

bool confirm_import(const forms::ImportPreview& preview, QWidget* parent) {
    namespace t = forms::pipe_list_texts;
    QDialog dialog(parent);
    dialog.setWindowTitle(preview.paste ? t::kPasteTitle : t::kImportTitle);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(qt(preview.file), &dialog));
    layout->addWidget(rows_table(preview, &dialog), 3);
    if (preview.row_count > preview.rows.size()) {
        layout->addWidget(new QLabel(QString("The first %1 of %2 rows are shown.")
                                         .arg(preview.rows.size())
                                         .arg(preview.row_count),
                                     &dialog));
    }
    if (!preview.importable()) {
        layout->addWidget(new QLabel(t::kProblemsHeading, &dialog));
        auto* problems = new QListWidget(&dialog);
        problems->setObjectName("import_problems");
        for (const auto& problem : preview.problems) problems->addItem(qt(problem.text()));
        layout->addWidget(problems, 2);
    }
    auto* summary = new QLabel(qt(preview.summary()), &dialog);
    summary->setObjectName("import_summary");
    QFont bold = summary->font();
    bold.setBold(true);
    summary->setFont(bold);
    layout->addWidget(summary);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, &dialog);
    if (preview.importable()) {
        QPushButton* import = buttons->addButton(preview.paste ? t::kPasteButton : t::kImportButton,
                                                 QDialogButtonBox::AcceptRole);
        import->setDefault(true);
    }
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.resize(960, 560);
    return dialog.exec() == QDialog::Accepted && preview.importable();
}

}  // namespace pelvane::gui
