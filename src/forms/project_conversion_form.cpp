#include "forms/project_conversion_form.h"

#include "forms/input_conventions.h"
#include "store/project_conversion.h"
#include "store/rainfall_database.h"
#include "store/rainfall_lookup.h"

namespace pelvane::forms {

using namespace project_conversion_texts;

ProjectConversionForm::ProjectConversionForm(store::ProjectContext& context, Ui& ui)
    : FormModel(field_names::kProjectConversion), context_(context), ui_(ui) {
    fields.set_text("noaa_station", kInitialStation);
}

void ProjectConversionForm::open() {
    auto& stations = fields["noaa_station"].items;
    stations.clear();
    try {
        const auto file = store::RainfallFile::Station;
        const auto db = store::Database::open(store::rainfall_database_path(context_, file),
                                              store::Database::Mode::ReadOnly);
        for (auto& entry : store::read_rainfall_entries(db, file)) {
            stations.push_back(std::move(entry.name));
        }
    } catch (const store::DatabaseError& e) {
        ui_.message(e.what(), Icon::None, kAppTitle);
    }
    fields.set_text("noaa_station", kInitialStation);
}

void ProjectConversionForm::btnUpdate() {
    store::convert_to_noaa_release(context_, fields.text("noaa_station"));
    ui_.message(std::string(store::kConversionDone), Icon::Exclamation, kAppTitle);
    if (const auto lists = store::load_noaa_release_lists(context_); !lists.ok()) {
        ui_.message(lists.error, Icon::None, kAppTitle);
    }
    converted_ = true;
    close_requested = true;
}

void ProjectConversionForm::cmdNOAAStationHelp() {
    open_noaa_page(ui_, context_);
}

}  // namespace pelvane::forms
