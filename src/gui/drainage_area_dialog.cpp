#include "gui/drainage_area_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/field_binder.h"
#include "gui/numeric_line_edit.h"
#include "gui/pipe_form_widgets.h"

namespace pelvane::gui {
namespace {

namespace texts = forms::drainage_area_texts;
using forms::DrainageAreaForm;

QLabel* heading(const QString& text, Qt::Alignment alignment = Qt::AlignLeft) {
    auto* label = new QLabel(text);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setAlignment(alignment | Qt::AlignBottom);
    return label;
}

}  // namespace

DrainageAreaDialog::DrainageAreaDialog(DrainageAreaForm& area, forms::Ui& ui, QWidget* parent)
    : QDialog(parent), area_(area), binder_(std::make_unique<FieldBinder>(area, this, ui)) {
    setWindowTitle(texts::kCaption);
    setObjectName(area.row_count() > 15 ? "frmarea" : "frmareaV2");
    FieldFactory make(*binder_, {{}, {}, {}});

    auto* layout = new QVBoxLayout(this);
    auto* rows_box = new QGroupBox("Land Use");
    auto* grid = new QGridLayout(rows_box);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(3);
    grid->addWidget(heading("Type of Drainage Area"), 0, 0);
    grid->addWidget(heading("C Range", Qt::AlignHCenter), 0, 1);
    grid->addWidget(heading("C", Qt::AlignRight), 0, 2);
    auto* area_heading = make.label("area_frame");
    QFont bold = area_heading->font();
    bold.setBold(true);
    area_heading->setFont(bold);
    grid->addWidget(area_heading, 0, 3, Qt::AlignRight | Qt::AlignBottom);
    grid->addWidget(heading("C * A", Qt::AlignRight), 0, 4);

    int line = 1;
    std::string group;
    for (int i = 0; i < area.row_count(); ++i) {
        const std::string& row_group = area.fields.text(DrainageAreaForm::row_field("Group", i));
        // A group's heading stands above its first row; its rows are indented.
        if (!row_group.empty() && row_group != group) {
            grid->addWidget(heading(QString::fromStdString(row_group)), line++, 0);
        }
        group = row_group;
        auto* type = make.label(DrainageAreaForm::row_field("Type", i));
        if (!row_group.empty()) type->setIndent(16);
        grid->addWidget(type, line, 0);
        auto* range = make.label(DrainageAreaForm::row_field("Crange", i));
        range->setAlignment(Qt::AlignCenter);
        grid->addWidget(range, line, 1);
        const forms::FieldName c_name = DrainageAreaForm::row_field("Cval", i);
        grid->addWidget(make.number(c_name, false, 64), line, 2);
        binder_->on_leave(c_name, [this, i] { area_.c_left(i); });
        const forms::FieldName area_name = DrainageAreaForm::row_field("Area", i);
        grid->addWidget(make.number(area_name, false, 96), line, 3);
        binder_->on_leave(area_name, [this, i] { area_.area_left(i); });
        grid->addWidget(make.shown(DrainageAreaForm::row_field("CA", i), 96), line, 4);
        ++line;
    }
    layout->addWidget(rows_box);

    auto* totals = new QHBoxLayout;
    totals->addStretch(1);
    totals->addWidget(new QLabel(texts::kTotalArea));
    totals->addWidget(make.shown("TAREA", 96));
    totals->addWidget(make.label("TAunit"));
    totals->addSpacing(20);
    totals->addWidget(new QLabel(texts::kTotalCa));
    totals->addWidget(make.shown("TCA", 96));
    // C * A is an area too: the same unit as the total area.
    totals->addWidget(make.label("TAunit"));
    layout->addLayout(totals);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* compute = make.button(texts::kCompute, [this] { area_.cmdcomputearea(); });
    compute->setObjectName("cmdcomputearea");
    auto* save = make.button(texts::kSave, [this] { area_.cmdsavearea(); });
    save->setObjectName("cmdsavearea");
    auto* cancel = make.button(texts::kCancel, [this] { area_.cmdcancelarea(); });
    cancel->setObjectName("cmdcancelarea");
    for (QPushButton* b : {compute, save, cancel}) {
        b->setMinimumWidth(90);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);

    connect(binder_.get(), &FieldBinder::close_requested, this,
            [this] { done(QDialog::Accepted); });
    binder_->refresh();
}

void DrainageAreaDialog::reject() {
    binder_->run([this] { area_.cmdcancelarea(); });
}

}  // namespace pelvane::gui
