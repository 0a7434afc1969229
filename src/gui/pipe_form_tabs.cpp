// The three tabs of the pipe window, laid out in the order the engineer fills
// them in; the Tab key follows the same order.

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/numeric_line_edit.h"
#include "gui/pipe_form_window.h"

namespace pelvane::gui {
namespace {

namespace texts = forms::pipe_form_texts;

QWidget* columns(std::initializer_list<std::initializer_list<QWidget*>> cols) {
    auto* page = new QWidget;
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(8, 10, 8, 8);
    row->setSpacing(12);
    for (const auto& col : cols) {
        auto* column = new QVBoxLayout;
        column->setSpacing(10);
        for (QWidget* w : col) column->addWidget(w);
        column->addStretch(1);
        row->addLayout(column);
    }
    row->addStretch(1);
    return page;
}

QToolButton* help_button(const QString& tip) {
    auto* button = new QToolButton;
    button->setText("?");
    button->setToolTip(tip);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace

QWidget* PipeFormWindow::build_structure_tab() {
    const auto node_frame = [this](bool node_in) {
        // The same controls for either end, named for the end they show.
        const auto f = [node_in](forms::FieldName in, forms::FieldName out) {
            return node_in ? in : out;
        };
        FieldGrid g(node_in ? "Upper Structure (Node In)" : "Lower Structure (Node Out)");
        binder_.bind_state(node_in ? texts::kNodeInFrame : texts::kNodeOutFrame, g.box());
        auto* type = make_.list(f("nodein_type", "nodeout_type"), false, 150);
        auto* number = make_.list(f("nodein_no", "nodeout_no"), true, 150);
        g.row("Structure Type", type);
        g.row("Structure No.", number);
        g.row("Station", make_.text(f("nodein_station", "nodeout_station"), 150));
        auto* offset = make_.number(f("nodein_offset", "nodeout_offset"));
        g.row("Offset", offset, make_.label(texts::kLengthUnit),
              make_.list(f("nodein_offloc", "nodeout_offloc"), false, 80));
        g.row(texts::kRimCaption, make_.number(f("nodein_topele", "nodeout_topele")),
              make_.label(texts::kLengthUnit));
        if (node_in) g.row("Shaping (VDOT St'd. IS-1)", make_.list("nodein_shaping", false, 80));
        return g.box();
    };

    FieldGrid pipe("Pipe Run");
    binder_.bind_state(texts::kPipeFrame, pipe.box());
    pipe.row("Length", make_.number("pipe_length"), make_.label(texts::kLengthUnit));
    pipe.row("Invert El. IN", make_.number("pipe_elein", true), make_.label(texts::kLengthUnit));
    pipe.row("Invert El. OUT", make_.number("pipe_eleout", true), make_.label(texts::kLengthUnit));
    pipe.row("Slope", make_.shown("pipe_slope"), make_.label(texts::kSlopeUnit));
    auto* skew_help = help_button("The deflection angle at the lower end");
    connect(skew_help, &QToolButton::clicked, this,
            [this] { binder_.run([this] { model_.pipeskew_help(); }); });
    pipe.row("Deflection Angle", make_.number("pipe_skew"), fixed_unit("deg"), skew_help);

    FieldGrid section("Pipe Section");
    binder_.bind_state(texts::kSectionFrame, section.box());
    auto* sizes = make_.button("Sizes...", [this] { model_.pipeshape_help(); });
    sizes->setToolTip("Standard sizes of the shape");
    section.row("Shape", make_.list("pipe_shape", false, 150), nullptr, sizes);
    section.row("Material", make_.list("pipe_mat", false, 150));
    section.row("Manning's n", make_.number("pipe_mann"));
    auto* dia = make_.list("pipe_dia", true, 96);
    dia->setToolTip(QString::fromUtf8(texts::kDiameterToolTip.data(),
                                      static_cast<int>(texts::kDiameterToolTip.size())));
    section.row("Diameter", dia, make_.label(texts::kSizeUnit));
    section.row("Span", make_.number("span"), make_.label(texts::kSizeUnit));
    section.row("Rise", make_.number("rise"), make_.label(texts::kSizeUnit));
    section.row("No. of Barrels", make_.list("numofpipes", false, 96));

    return columns({{node_frame(true), node_frame(false)}, {pipe.box(), section.box()}});
}

QWidget* PipeFormWindow::build_flow_tab() {
    FieldGrid source("Discharge");
    binder_.bind_state(texts::kSourceFrame, source.box());
    auto* options = new QWidget;
    auto* option_row = new QHBoxLayout(options);
    option_row->setContentsMargins(0, 0, 0, 0);
    option_row->addWidget(
        make_.option("dischargeval", texts::kInputDischarge, std::string(texts::kInputSource)));
    option_row->addWidget(
        make_.option("dischargeval", texts::kComputeDischarge, std::string(texts::kComputeSource)));
    option_row->addStretch(1);
    source.wide(options);
    source.row("Structure Discharge", make_.number("structure_discharge"),
               make_.label(texts::kDischargeUnit));
    source.row("Design Discharge", make_.shown("pipe_discharge"),
               make_.label(texts::kDischargeUnit));

    FieldGrid structure("Upper Structure Drainage");
    binder_.bind_state(texts::kStructureFrame, structure.box());
    auto* area_button = make_.button("Area...", [this] { model_.cmdstr_area(); });
    binder_.bind_state("cmdstr_area", area_button);
    auto* tc_button = make_.button("Tc...", [this] { model_.cmdstr_Tc(); });
    binder_.bind_state("cmdstr_Tc", tc_button);
    structure.row("Drainage Area", make_.number("structure_area"), make_.label(texts::kAreaUnit),
                  area_button);
    structure.row("C x A", make_.number("structure_ca"), make_.label(texts::kAreaUnit));
    structure.row("Inlet Time (Tc)", make_.number("structure_Tc"), fixed_unit("min"), tc_button);
    auto* compute_tc = make_.check("Check_ComputeTc", texts::kComputeTc);
    compute_tc->setAttribute(Qt::WA_TransparentForMouseEvents);
    compute_tc->setFocusPolicy(Qt::NoFocus);
    compute_tc->setToolTip("Ticked when the Tc comes from the time of concentration window");
    structure.row("", compute_tc);

    FieldGrid rainfall("Rainfall");
    binder_.bind_state(texts::kRainfallFrame, rainfall.box());
    rainfall.row("Storm Frequency", make_.list("pipe_storm_freq", false, 96), fixed_unit("yr"));
    rainfall.row("Frequency Factor Cf", make_.shown("pipe_cf"));
    auto* intensity = make_.button(texts::kComputeIntensity, [this] { model_.cmd_accIntensity(); });
    binder_.bind_state("cmd_accIntensity", intensity);
    rainfall.row("Intensity", make_.shown("pipe_I"), make_.label(texts::kIntensityUnit), intensity);

    auto* previous = new QGroupBox("Previous Pipes");
    binder_.bind_state(texts::kPreviousFrame, previous);
    auto* grid = new QGridLayout(previous);
    grid->setHorizontalSpacing(8);
    int column = 1;
    for (const QString& heading :
         {QString("Pipe No."), QString("C x A"), QString("Tc (min)"), QString("Flow Time (sec)")}) {
        auto* label = new QLabel(heading);
        label->setAlignment(column == 1 ? Qt::AlignLeft : Qt::AlignRight);
        grid->addWidget(label, 0, column++);
    }
    for (int k = 1; k <= 4; ++k) {
        auto* caption = new QLabel(QString::number(k) + ".");
        binder_.bind_state(forms::PipeForm::prenode(k), caption);
        grid->addWidget(caption, k, 0);
        grid->addWidget(make_.list(forms::PipeForm::prenode(k), true, 120), k, 1);
        grid->addWidget(make_.shown(forms::PipeForm::preca(k), 80), k, 2);
        grid->addWidget(make_.shown(forms::PipeForm::pretc(k), 80), k, 3);
        grid->addWidget(make_.shown(forms::PipeForm::preflowtime(k), 96), k, 4);
    }
    grid->setColumnStretch(5, 1);

    FieldGrid accumulation("Accumulation");
    binder_.bind_state(texts::kAccumulationFrame, accumulation.box());
    accumulation.row("Accumulated C x A", make_.shown("accumulated_ca"),
                     make_.label(texts::kAreaUnit));
    accumulation.row("Accumulated Tc", make_.shown("accumulated_Tc"), fixed_unit("min"));

    FieldGrid lateral("Lateral Inflow");
    binder_.bind_state(texts::kLateralFrame, lateral.box());
    lateral.row("Lateral Discharge", make_.number("lateral_discharge"),
                make_.label(texts::kDischargeUnit));

    return columns({{source.box(), structure.box(), rainfall.box()},
                    {previous, accumulation.box(), lateral.box()}});
}

QWidget* PipeFormWindow::build_results_tab() {
    FieldGrid flow("Flow");
    flow.row("Design Discharge", make_.shown("pipe_discharge"), make_.label(texts::kDischargeUnit));
    flow.row("Capacity (one barrel)", make_.shown("capacity"), make_.label(texts::kDischargeUnit));
    flow.long_row("Flow Type", make_.shown("flow_type", 170, true));
    flow.long_row("Flow Regime", make_.shown("pipe_summary", 170, true));
    flow.row("Froude Number", make_.shown("FROUDE_NO"));
    flow.row("Velocity", make_.shown("pipe_velocity"), make_.label(texts::kVelocityUnit));
    flow.row("Flow Time", make_.shown("flow_time"), fixed_unit("sec"));

    FieldGrid depth("Section at Normal Depth");
    depth.row("Depth of Flow", make_.shown("pipe_flowdepth"), make_.label(texts::kLengthUnit));
    depth.row("Critical Depth", make_.shown("critical_depth"), make_.label(texts::kLengthUnit));
    depth.row("Area of Flow", make_.shown("pipe_areaflow"), make_.label(texts::kFlowAreaUnit));
    depth.row("Wetted Perimeter", make_.shown("pipe_WP"), make_.label(texts::kLengthUnit));
    depth.row("Hydraulic Radius", make_.shown("hyd_radius"), make_.label(texts::kLengthUnit));
    depth.row("Specific Energy", make_.shown("energy"), make_.label(texts::kLengthUnit));
    depth.row("Friction Slope", make_.shown("friction_slope"), make_.label(texts::kSlopeUnit));

    auto* solve_box = new QGroupBox("Solve");
    binder_.bind_state(texts::kSolveFrame, solve_box);
    auto* solve_row = new QHBoxLayout(solve_box);
    auto* solve = make_.button("Solve Pipe", [this] { model_.cmdpipesolve(); });
    binder_.bind_state(texts::kSolveCommand, solve);
    solve_row->addWidget(
        new QLabel("Section hydraulics of the design discharge, by Manning's equation."));
    solve_row->addStretch(1);
    solve_row->addWidget(solve);

    auto* page = columns({{flow.box()}, {depth.box()}});
    auto* outer = new QWidget;
    auto* stack = new QVBoxLayout(outer);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->addWidget(page);
    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(8, 0, 8, 8);
    bottom->addWidget(solve_box);
    stack->addLayout(bottom);
    stack->addStretch(1);
    return outer;
}

}  // namespace pelvane::gui
