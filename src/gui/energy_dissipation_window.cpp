#include "gui/energy_dissipation_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/energy_dissipation_texts.h"
#include "gui/numeric_line_edit.h"
#include "gui/pipe_energy_layout.h"

namespace pelvane::gui {
namespace {

namespace t = forms::energy_dissipation_texts;
using Form = forms::EnergyDissipationForm;

// What the engineer types or chooses in this window; every other field is a result.
bool is_input(forms::FieldName field) {
    return field == "C_Discharge" || field == "L2byh2" || field == "txth3";
}

template <class Labels>
void add_rows(FieldRows& rows, const Labels& labels, std::size_t from = 0,
              std::size_t to = std::tuple_size_v<Labels>) {
    for (std::size_t i = from; i < to; ++i) {
        const forms::FieldName field = labels[i].field;
        if (field == "VDOT_Riprap") {
            rows.list(field, false);
        } else if (is_input(field)) {
            rows.input(field);
        } else if (field == "txt_EC" || field == "txtWbasin") {
            // Texts as well as numbers: a class name, "NONE".
            rows.output(field, Qt::AlignHCenter);
        } else {
            rows.output(field);
        }
    }
}

QLabel* note(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0x8a, 0x1c, 0x1c));
    label->setPalette(palette);
    return label;
}

}  // namespace

EnergyDissipationWindow::EnergyDissipationWindow(Form& form, forms::Ui& ui, QWidget* parent)
    : QDialog(parent), form_(form), binder_(form, this, ui) {
    setWindowTitle(t::kCaption);
    build_menus();
    build_body();
    connect(&binder_, &FieldBinder::close_requested, this, [this] { QDialog::accept(); });
    binder_.refresh();
}

void EnergyDissipationWindow::build_menus() {
    CommandMenus<Form> menus(this, binder_, form_);
    QMenu* file = menus.menu(t::kFileMenu);
    menus.item(file, t::kAnalyzeMenu, &Form::cmdanalyze, QKeySequence(Qt::Key_F5));
    menus.item(file, t::kResultsMenu, &Form::Cmdresults);
    file->addSeparator();
    menus.item(file, t::kExitMenu, &Form::cmdExit);
    QMenu* help = menus.menu(t::kHelpMenu);
    menus.item(help, t::kHelpItem, &Form::help, QKeySequence::HelpContents);
    menus.item(help, t::kAboutItem, &Form::about);
    menu_bar_ = menus.bar();
}

void EnergyDissipationWindow::build_body() {
    auto* methods = frame(t::kMethodsFrame, this);

    auto* vdot_box = frame(t::kVdotFrame, methods);
    FieldRows vdot(vdot_box, binder_);
    add_rows(vdot, t::kVdotLabels);
    auto* apron_class = vdot_box->findChild<QLineEdit*>("txt_EC");
    apron_class->setFixedWidth(150);
    vdot.widen(apron_class);

    auto* usda_box = frame(t::kUsdaFrame, methods);
    FieldRows usda(usda_box, binder_);
    add_rows(usda, t::kUsdaLabels);
    auto* usda_status = note("", usda_box);
    usda_status->setObjectName("usda_status");
    binder_.bind("usda_status", usda_status);
    usda.add_wide(usda_status);
    auto* approximation = new QLabel(
        QString::fromUtf8(t::kUsdaApproximation.data(), t::kUsdaApproximation.size()), usda_box);
    approximation->setObjectName("usda_approximation");
    approximation->setWordWrap(true);
    QFont small = approximation->font();
    small.setItalic(true);
    small.setPointSizeF(small.pointSizeF() * 0.9);
    approximation->setFont(small);
    usda.add_wide(approximation);
    usda.pack_top();

    auto* basin_box = frame(t::kRiprapBasinFrame, methods);
    FieldRows basin(basin_box, binder_);
    add_rows(basin, t::kRiprapBasinLabels);
    basin.pack_top();

    // Contra Costa: the inflow and floor, then the basin's dimensions.
    auto* contra_box = frame(t::kContraCostaFrame, methods);
    FieldRows contra(contra_box, binder_);
    add_rows(contra, t::kContraCostaLabels, 0, 4);
    auto* floor_note = new QLabel(QString("(%1)").arg(t::kWidthAtOutletNote), contra_box);
    floor_note->setAlignment(Qt::AlignRight);
    contra.add_wide(floor_note);
    auto* contra_dimensions = frame(t::kContraCostaDimensions, contra_box);
    FieldRows contra_sizes(contra_dimensions, binder_);
    add_rows(contra_sizes, t::kContraCostaLabels, 4);
    contra.add_wide(contra_dimensions);
    contra.pack_top();

    // USBR Type VI: the energies in a band, then the dimension table's row.
    auto* usbr_box = frame(t::kUsbrFrame, methods);
    FieldRows usbr(usbr_box, binder_, 4);
    add_rows(usbr, t::kUsbrLabels);
    auto* usbr_dimensions = frame(t::kUsbrDimensions, usbr_box);
    FieldRows usbr_sizes(usbr_dimensions, binder_, 5);
    for (int i = 0; i < Form::kUsbrSizes; ++i) usbr_sizes.output(Form::usbr_size_field(i));
    usbr.add_wide(usbr_dimensions);

    auto* grid = new QGridLayout(methods);
    grid->addWidget(vdot_box, 0, 0);
    grid->addWidget(usda_box, 1, 0);
    grid->addWidget(basin_box, 0, 1, 2, 1);
    grid->addWidget(contra_box, 0, 2, 2, 1);
    grid->addWidget(usbr_box, 2, 0, 1, 3);
    grid->setRowStretch(1, 1);

    const auto button = [this](const char* name, const char* caption, void (Form::*command)()) {
        auto* b = command_button(caption, std::nullopt, binder_, this);
        b->setObjectName(name);
        binder_.command(b, [this, command] { (form_.*command)(); });
        return b;
    };
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(button("cmdanalyze", t::kAnalyze, &Form::cmdanalyze));
    buttons->addWidget(button("Cmdresults", t::kResults, &Form::Cmdresults));
    buttons->addStretch();
    buttons->addWidget(button("cmdExit", t::kExit, &Form::cmdExit));

    auto* body = new QVBoxLayout(this);
    body->setMenuBar(menu_bar_);
    body->addWidget(methods);
    body->addLayout(buttons);

    binder_.on_choose("VDOT_Riprap", [this] { form_.riprap_class_chosen(); });
    for (const forms::FieldName name : {forms::FieldName("L2byh2"), forms::FieldName("txth3")}) {
        binder_.on_leave(name, [this, name] { form_.field_left(name); });
    }
}

void EnergyDissipationWindow::reject() {
    bool may_close = false;
    binder_.run([this, &may_close] { may_close = form_.query_close(); });
    if (may_close) QDialog::reject();
}

}  // namespace pelvane::gui
