#include "gui/time_of_concentration_dialog.h"

#include <QCheckBox>
#include <QComboBox>
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

namespace texts = forms::tc_texts;

constexpr int kListWidth = 290;

QString caption(const char* text) {
    return QString::fromUtf8(text);
}

forms::FieldName numbered(const char* name, int segment) {
    return forms::FieldName::named(std::string(name) + std::to_string(segment));
}

// The flow path of segments 1 to 4: length, the two elevations and the slope.
void path_rows(FieldFactory& make, FieldGrid& g, int segment, bool slope_in_percent) {
    g.row(caption(texts::kFlowDistance), make.number(numbered("flow_distance", segment)),
          make.label("length_unit"));
    g.row(caption(texts::kUpperElevation), make.number(numbered("upper_elevation", segment)),
          make.label("length_unit"));
    g.row(caption(texts::kLowerElevation), make.number(numbered("lower_elevation", segment)),
          make.label("length_unit"));
    g.row(caption(texts::kSlope), make.shown(numbered("slope", segment)),
          slope_in_percent ? fixed_unit("%") : make.label("slope_unit"));
}

}  // namespace

QWidget* TimeOfConcentrationDialog::segment_box(FieldFactory& make, const QString& title,
                                                int segment) {
    FieldGrid g(title);
    g.wide(make.check(numbered("CheckTc", segment), "Include this segment"));
    switch (segment) {
        case 1:
            path_rows(make, g, 1, true);
            g.long_row(caption(texts::kLandCover), make.list("landuse_type", false, kListWidth));
            g.row(caption(texts::kInterceptCoeff), make.number("intercept_coeff"));
            break;
        case 2:
            path_rows(make, g, 2, false);
            g.row(caption(texts::kManningsN), make.number("gn"));
            g.row(caption(texts::kDepthOfFlow), make.number("tgd_flow"), make.label("length_unit"));
            g.row(caption(texts::kVelocity), make.number("channel_velocity"),
                  make.label("velocity_unit"));
            break;
        case 3:
            path_rows(make, g, 3, false);
            g.long_row(caption(texts::kSoilType), make.list("soil_type", false, kListWidth));
            g.row(caption(texts::kRationalC), make.number("rational_C_value"));
            break;
        case 4:
            path_rows(make, g, 4, false);
            g.row(caption(texts::kManningsN), make.number("gn4"));
            g.row(caption(texts::kPipeDia), make.number("pipe_dia"), make.label("length_unit"));
            g.row(caption(texts::kVelocity), make.number("pipe_velocity"),
                  make.label("velocity_unit"));
            break;
        default: {
            auto* note = new QLabel(caption(texts::kKirpichNote));
            note->setWordWrap(true);
            QFont italic = note->font();
            italic.setItalic(true);
            note->setFont(italic);
            g.wide(note);
            g.long_row(caption(texts::kSurfaceType), make.list("surface_type", false, kListWidth));
            g.row(caption(texts::kOutletHeight), make.number("txtoutlet_height"),
                  make.label("length_unit"));
            g.row(caption(texts::kTravelLength), make.number("txttravel_length"),
                  make.label("length_unit"));
            g.row(caption(texts::kSurfaceFactor), make.number("txtsurface_factor"));
            break;
        }
    }
    g.row("Tc", make.shown(numbered("txtTc", segment)), fixed_unit(texts::kMinutes));
    return g.box();
}

TimeOfConcentrationDialog::TimeOfConcentrationDialog(forms::TimeOfConcentrationForm& tc,
                                                     forms::Ui& ui, QWidget* parent)
    : QDialog(parent), tc_(tc), binder_(std::make_unique<FieldBinder>(tc, this, ui)) {
    setWindowTitle(caption(texts::kCaption));
    setObjectName("frmVATc");
    FieldFactory make(*binder_,
                      {{},
                       [this](forms::FieldName name) { tc_.field_left(name); },
                       [this](forms::FieldName name) {
                           if (name.name().starts_with("CheckTc")) {
                               tc_.check_box_changed(std::stoi(std::string(name.name().substr(7))));
                           } else {
                               tc_.choose(name);
                           }
                       }});

    auto* layout = new QVBoxLayout(this);
    auto* frame = new QGroupBox(caption(texts::kFrame));
    auto* grid = new QGridLayout(frame);
    grid->setSpacing(10);
    grid->addWidget(segment_box(make, caption(texts::kShallowFrame), 1), 0, 0);
    grid->addWidget(segment_box(make, caption(texts::kOverlandFrame), 3), 1, 0);

    auto* channel_pipe = new QGroupBox(caption(texts::kChannelPipeFrame));
    auto* parts = new QHBoxLayout(channel_pipe);
    parts->addWidget(segment_box(make, caption(texts::kChannelPart), 2));
    parts->addWidget(segment_box(make, caption(texts::kPipePart), 4));
    grid->addWidget(channel_pipe, 0, 1);
    grid->addWidget(segment_box(make, caption(texts::kKirpichFrame), 5), 1, 1);
    layout->addWidget(frame);

    auto* bottom = new QHBoxLayout;
    auto* total = new QGroupBox(caption(texts::kTotalTc));
    auto* total_row = new QHBoxLayout(total);
    auto* total_field = make.shown("computedPTc");
    QFont bold = total_field->font();
    bold.setBold(true);
    total_field->setFont(bold);
    total_row->addWidget(total_field);
    total_row->addWidget(fixed_unit(texts::kMinutes));
    bottom->addWidget(total);
    bottom->addStretch(1);
    auto* save = make.button(texts::kSave, [this] { tc_.cmdsavePTc(); });
    save->setObjectName("cmdsavePTc");
    auto* cancel = make.button(texts::kCancel, [this] { tc_.cmdcancelPTc(); });
    cancel->setObjectName("cmdcancelPTc");
    for (QPushButton* b : {save, cancel}) {
        b->setMinimumWidth(90);
        bottom->addWidget(b, 0, Qt::AlignBottom);
    }
    layout->addLayout(bottom);

    connect(binder_.get(), &FieldBinder::close_requested, this,
            [this] { done(QDialog::Accepted); });
    binder_->refresh();
}

void TimeOfConcentrationDialog::reject() {
    binder_->run([this] { tc_.cmdcancelPTc(); });
}

}  // namespace pelvane::gui
