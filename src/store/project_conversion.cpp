#include "store/project_conversion.h"

#include <array>
#include <functional>

#include "store/project_database.h"

namespace pelvane::store {
namespace {

// SQLite adds one column per ALTER, so a legacy file gets five statements, each
// allowed to fail on its own.
constexpr std::string_view kAddStation = "ALTER TABLE PROJECT ADD NOAA_STATION TEXT(50)";
constexpr std::array<std::string_view, 4> kAddLegacyReleaseColumns = {
    "ALTER TABLE PROJECT ADD PRODUCT_NAME TEXT(20)",
    "ALTER TABLE PROJECT ADD MAJOR_RELEASE TEXT(10)",
    "ALTER TABLE PROJECT ADD MINOR_RELEASE TEXT(10)",
    "ALTER TABLE PROJECT ADD RELEASE_DATE TEXT(10)",
};
constexpr std::string_view kStamp =
    "UPDATE PROJECT SET PRODUCT_NAME = ?, MAJOR_RELEASE = ?, MINOR_RELEASE = ?, "
    "NOAA_STATION = ?, RELEASE_DATE = ?";
constexpr std::string_view kMinorRelease = "0.0";
constexpr std::string_view kReleaseDate = "JULY 2016";

void passing_over_errors(const std::function<void()>& step) {
    try {
        step();
    } catch (const DatabaseError&) {
    }
}

}  // namespace

void convert_to_noaa_release(ProjectContext& context, const std::string& station) {
    const Database& db = context.project_connection;
    passing_over_errors([&] {
        Transaction transaction(db);
        passing_over_errors([&] { db.execute(kAddStation); });
        if (context.legacy_database_mode) {
            for (const auto alter : kAddLegacyReleaseColumns) {
                passing_over_errors([&] { db.execute(alter); });
            }
        }
        passing_over_errors([&] {
            db.execute(kStamp, {std::string(kProductName), std::string(kNoaaRelease),
                                std::string(kMinorRelease), station, std::string(kReleaseDate)});
        });
        transaction.commit();
    });
    context.major_release = kNoaaRelease;
    context.noaa_station = station;
    context.project_connection.close();
    context.coefficient_connection.close();
    context.rainfall_connection.close();
    passing_over_errors([&] { connect(context); });
}

}  // namespace pelvane::store
