#include "forms/inlet_link.h"

#include "store/inlet_database.h"

namespace pelvane::forms {
namespace {

// Runs a read on the open link; a failure ends it with the error's own description.
template <class Read>
auto read_link(const store::ProjectContext& context, Ui& ui, Read read) -> decltype(read()) {
    if (!context.inlet_connection.is_open()) return {};
    try {
        return read();
    } catch (const store::DatabaseError& e) {
        ui.message(e.what(), Icon::Exclamation);
        return {};
    }
}

}  // namespace

bool open_inlet_link(store::ProjectContext& context, Ui& ui) {
    context.inlet_connection.close();
    if (context.inlet_database.empty()) return false;
    try {
        context.inlet_connection = store::open_inlet_database(
            store::inlet_database_file(context.database_path, context.inlet_database));
    } catch (const store::DatabaseError& e) {
        ui.message(e.what(), Icon::None);
    }
    return context.inlet_connection.is_open();
}

std::vector<std::string> linked_inlet_numbers(const store::ProjectContext& context, Ui& ui) {
    return read_link(context, ui, [&] { return store::inlet_numbers(context.inlet_connection); });
}

std::optional<pipe::InletRecord> linked_inlet(const store::ProjectContext& context, Ui& ui,
                                              std::string_view number) {
    return read_link(context, ui,
                     [&] { return store::find_inlet(context.inlet_connection, number); });
}

}  // namespace pelvane::forms
