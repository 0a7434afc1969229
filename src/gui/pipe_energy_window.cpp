#include "gui/pipe_energy_window.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/pipe_energy_texts.h"
#include "gui/about_window.h"
#include "gui/energy_dissipation_window.h"
#include "gui/numeric_line_edit.h"
#include "gui/pipe_energy_layout.h"

namespace pelvane::gui {
namespace {

namespace t = forms::pipe_energy_texts;

// Fields whose leaving runs a rule of the window.
constexpr forms::FieldName kLeaveRules[] = {"dn_TW",   "W_culvert", "C_Discharge",
                                            "plindex", "D16",       "D84"};

}  // namespace

PipeEnergyWindow::PipeEnergyWindow(store::ProjectContext& context, forms::DesignSession& session,
                                   forms::Ui& ui, QWidget* parent)
    : QDialog(parent), ui_(ui), form_(context, session, ui, *this), binder_(form_, this, ui) {
    setWindowTitle(t::kCaption);
    build_menus();
    build_body();
    connect(&binder_, &FieldBinder::close_requested, this, [this] { QDialog::accept(); });
}

void PipeEnergyWindow::build_menus() {
    using F = forms::PipeEnergyForm;
    CommandMenus<F> menus(this, binder_, form_);
    QMenu* file = menus.menu(t::kFileMenu);
    menus.item(file, t::kSaveMenu, &F::mnusave, QKeySequence::Save);
    file->addSeparator();
    menus.item(file, t::kExitMenu, &F::mnuexit);
    QMenu* help = menus.menu(t::kHelpMenu);
    menus.item(help, t::kHelpItem, &F::help, QKeySequence::HelpContents);
    menus.item(help, t::kAboutItem, &F::about);
    menu_bar_ = menus.bar();
}

void PipeEnergyWindow::build_body() {
    auto* outlet_box = frame(t::kOutletFrame, this);
    FieldRows outlet(outlet_box, binder_);
    QComboBox* node = outlet.list("enodeout", true);
    node->setMinimumWidth(120);
    for (const forms::FieldName name :
         std::initializer_list<forms::FieldName>{"eDiaRise", "E_Discharge", "vhstorm_freq", "dn_C",
                                                 "E_Area", "E_Peri", "E_HydRad", "V_C", "FR_C"}) {
        outlet.output(name);
    }
    outlet.input("W_culvert");

    auto* flow_box = frame(t::kTwoYearFrame, this);
    FieldRows flow(flow_box, binder_);
    flow.input("C_Discharge");
    flow.output("velocity2");

    auto* bed_box = frame(t::kBedFrame, this);
    FieldRows bed(bed_box, binder_);
    bed.input("dn_TW");
    bed.list("Bed_Matl", false);
    bed.output("D50bed", Qt::AlignLeft)->setMinimumWidth(130);
    bed.output("Velocity_NS");
    bed.input("D16");
    bed.input("D84");
    bed.input("plindex");

    auto* scour_box = frame(t::kScourFrame, this);
    FieldRows scour(scour_box, binder_, 2);
    for (const forms::FieldName name :
         std::initializer_list<forms::FieldName>{"txt_D", "txt_W", "txt_L", "txtLocation"})
        scour.output(name);
    auto* size_button = command_button(t::kScourHoleSize, std::nullopt, binder_, scour_box);
    size_button->setObjectName("cmdscourholesize");
    binder_.command(size_button, [this] { form_.cmdscourholesize(); });
    auto* size_row = new QHBoxLayout;
    size_row->addStretch();
    size_row->addWidget(size_button);
    auto* size_holder = new QWidget(scour_box);
    size_holder->setLayout(size_row);
    size_row->setContentsMargins(0, 0, 0, 0);
    scour.add_wide(size_holder);

    // The decision and the two commands around it.
    auto* need = command_button(t::kNeed, std::nullopt, binder_, this);
    need->setObjectName("cmdNeed");
    binder_.command(need, [this] { form_.cmdNeed(); });
    auto* decision_label = new QLabel(this);
    binder_.bind("outlet_protection_label", decision_label);
    decision_ = new QLineEdit(this);
    decision_->setObjectName("outlet_protection");
    decision_->setReadOnly(true);
    decision_->setFocusPolicy(Qt::NoFocus);
    decision_->setAlignment(Qt::AlignCenter);
    decision_->setFixedWidth(150);
    binder_.bind("outlet_protection", decision_);
    connect(decision_, &QLineEdit::textChanged, this, [this] { show_decision(); });
    show_decision();
    auto* analyze = command_button(t::kAnalyze, forms::FieldName("cmdanalyzeED"), binder_, this);
    analyze->setObjectName("cmdanalyzeED");
    binder_.command(analyze, [this] { form_.cmdanalyzeED(); });
    auto* decision_row = new QHBoxLayout;
    decision_row->addWidget(need);
    decision_row->addSpacing(16);
    decision_row->addWidget(decision_label);
    decision_row->addWidget(decision_);
    decision_row->addStretch();
    decision_row->addWidget(analyze);

    auto* status = new QLabel(this);
    status->setObjectName("status");
    status->setWordWrap(true);
    binder_.bind("status", status);

    auto* left = new QVBoxLayout;
    left->addWidget(outlet_box);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(flow_box);
    right->addWidget(bed_box);
    right->addWidget(scour_box);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);

    auto* body = new QVBoxLayout(this);
    body->setMenuBar(menu_bar_);
    body->addLayout(columns);
    body->addLayout(decision_row);
    body->addWidget(status);

    // The end node: entering remembers it, typing or picking marks it edited, and
    // picking or leaving commits it.
    binder_.on_enter("enodeout", [this] { form_.enodeout_entered(); });
    binder_.on_edit("enodeout", [this] { form_.enodeout_edited(); });
    binder_.on_choose("enodeout", [this] { form_.enodeout_committed(); });
    binder_.on_leave("enodeout", [this] { form_.enodeout_committed(); });
    binder_.on_choose("Bed_Matl", [this] { form_.bed_material_chosen(); });
    for (const forms::FieldName name : kLeaveRules) {
        binder_.on_leave(name, [this, name] { form_.field_left(name); });
    }
}

void PipeEnergyWindow::show_decision() {
    const std::string text = decision_->text().toStdString();
    QString colour = "palette(text)";
    if (text == t::kProtectionRequired) colour = "#b00020";
    if (text == t::kProtectionNotRequired) colour = "#1b6e20";
    decision_->setStyleSheet(QString("QLineEdit { font-weight: bold; color: %1;"
                                     " background: palette(window); border: 1px solid palette(mid);"
                                     " border-radius: 2px; padding: 1px 3px; }")
                                 .arg(colour));
}

void PipeEnergyWindow::reject() {
    bool may_close = false;
    binder_.run([this, &may_close] { may_close = form_.query_close(); });
    if (may_close) QDialog::reject();
}

void PipeEnergyWindow::show_energy_dissipation(forms::EnergyDissipationForm& dissipators) {
    EnergyDissipationWindow window(dissipators, ui_, this);
    window.exec();
}

void PipeEnergyWindow::about() {
    show_about(this);
}

void show_energy_dissipation(store::ProjectContext& context, forms::DesignSession& session,
                             forms::Ui& ui, QWidget* parent) {
    PipeEnergyWindow window(context, session, ui, parent);
    window.binder().run([&window] { window.form().open(); });
    window.exec();
}

}  // namespace pelvane::gui
