#include "gui/project_conversion_window.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/input_conventions.h"
#include "gui/field_binder.h"

namespace pelvane::gui {

using namespace forms::project_conversion_texts;

ProjectConversionWindow::ProjectConversionWindow(store::ProjectContext& context, forms::Ui& ui,
                                                 QWidget* parent)
    : QDialog(parent) {
    form_ = std::make_unique<forms::ProjectConversionForm>(context, ui);
    setWindowTitle(kCaption);
    binder_ = std::make_unique<FieldBinder>(*form_, this, ui);
    auto* binder = binder_.get();
    connect(binder, &FieldBinder::close_requested, this, [this] { QDialog::accept(); });

    auto* layout = new QVBoxLayout(this);
    auto* frame = new QGroupBox(kFrame, this);
    auto* row = new QHBoxLayout(frame);
    row->addWidget(new QLabel(forms::kNoaaStationLabel, frame));
    auto* station = new QComboBox(frame);
    station->setObjectName("noaa_station");
    station->setMaxVisibleItems(24);
    station->setMinimumWidth(260);
    binder->bind("noaa_station", station);
    row->addWidget(station, 1);
    layout->addWidget(frame);

    auto* note = new QLabel(
        "The project database is changed for good: it takes the station chosen here and the "
        "NOAA-station release, and the rainfall intensities follow the station from then on.",
        this);
    note->setWordWrap(true);
    layout->addWidget(note);

    auto* buttons = new QHBoxLayout;
    auto* help = new QPushButton(forms::kNoaaStationHelp, this);
    auto* update = new QPushButton(kUpdate, this);
    update->setObjectName("btnUpdate");
    update->setDefault(true);
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(update);
    layout->addLayout(buttons);
    binder->command(help, [this] { form_->cmdNOAAStationHelp(); });
    binder->command(update, [this] { form_->btnUpdate(); });

    binder->run([this] { form_->open(); });
    setMinimumWidth(460);
}

}  // namespace pelvane::gui
