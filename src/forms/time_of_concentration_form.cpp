#include "forms/time_of_concentration_form.h"

#include <initializer_list>

#include <algorithm>
#include <array>
#include <vector>

#include "core/hydrology/land_use.h"
#include "core/hydrology/time_of_concentration.h"
#include "core/text/item_list.h"
#include "core/text/number_text.h"
#include "core/units.h"
#include "forms/input_conventions.h"

namespace pelvane::forms {
namespace {

namespace texts = tc_texts;

constexpr int kSegments = 5;

struct PathNames {
    FieldName length;
    FieldName upper;
    FieldName lower;
    FieldName slope;
};
// Segments 1 to 4 run over a flow path given by its length and end elevations.
constexpr std::array<PathNames, 4> kPaths{{
    {"flow_distance1", "upper_elevation1", "lower_elevation1", "slope1"},
    {"flow_distance2", "upper_elevation2", "lower_elevation2", "slope2"},
    {"flow_distance3", "upper_elevation3", "lower_elevation3", "slope3"},
    {"flow_distance4", "upper_elevation4", "lower_elevation4", "slope4"},
}};
constexpr std::array<FieldName, kSegments> kTimes{"txtTc1", "txtTc2", "txtTc3", "txtTc4", "txtTc5"};
constexpr std::array<FieldName, kSegments> kChecks{"CheckTc1", "CheckTc2", "CheckTc3", "CheckTc4",
                                                   "CheckTc5"};
constexpr FieldName kTotal = "computedPTc";

// The stored buffers: field texts joined by "," in these orders.
// clang-format off
constexpr std::array<FieldName, 15> kFirstBuffer{
    "flow_distance1", "upper_elevation1", "lower_elevation1", "slope1", "landuse_type",
    "intercept_coeff", "txtTc1",
    "flow_distance2", "upper_elevation2", "lower_elevation2", "slope2", "gn", "tgd_flow",
    "channel_velocity", "txtTc2"};
constexpr std::size_t kLandCoverItem = 4;
constexpr std::array<FieldName, 21> kSecondBuffer{
    "flow_distance3", "upper_elevation3", "lower_elevation3", "slope3", "soil_type",
    "rational_C_value", "txtTc3",
    "txtoutlet_height", "txttravel_length", "surface_type", "txtsurface_factor", "txtTc5",
    "flow_distance4", "upper_elevation4", "lower_elevation4", "slope4", "gn4", "pipe_dia",
    "pipe_velocity", "txtTc4",
    kTotal};
// clang-format on
constexpr char kSeparator = ',';

// List texts may hold commas ("Fallow,Contour cropped,woodland (0.152)"), which
// would split the buffer in the wrong places. They are stored with each comma
// replaced by this stand-in, so every other item stays where any reader of the
// plain comma list expects it, and mapped back when read. Buffers stored before,
// with the commas as they are, still read: the surplus items of the first buffer
// are put back together into the land cover, its only list text.
constexpr char kCommaStandIn = ';';

bool is_list_text(FieldName name) {
    return name == "landuse_type" || name == "soil_type" || name == "surface_type";
}

std::string replace_all(std::string text, char from, char to) {
    std::replace(text.begin(), text.end(), from, to);
    return text;
}

struct ListLink {
    FieldName list;
    FieldName dependent;
    std::span<const hydrology::ListChoice> (*choices)();
};
constexpr std::array<ListLink, 3> kLists{{
    {"landuse_type", "intercept_coeff", hydrology::land_cover_choices},
    {"soil_type", "rational_C_value", hydrology::soil_type_choices},
    {"surface_type", "txtsurface_factor", hydrology::surface_type_choices},
}};

constexpr std::array<FieldName, 8> kNumberFormatFields{
    "upper_elevation1", "upper_elevation2", "upper_elevation3", "upper_elevation4",
    "flow_distance2",   "flow_distance4",   "txtoutlet_height", "txttravel_length"};
constexpr std::array<FieldName, 3> kCoefficientFields{"gn", "gn4", "intercept_coeff"};

// Depth or velocity drive a channel segment, diameter or velocity a pipe segment:
// a positive value in one clears the other.
struct DrivePair {
    FieldName field;
    FieldName cleared;
};
constexpr std::array<DrivePair, 4> kDrivePairs{{
    {"tgd_flow", "channel_velocity"},
    {"channel_velocity", "tgd_flow"},
    {"pipe_dia", "pipe_velocity"},
    {"pipe_velocity", "pipe_dia"},
}};

template <std::size_t N>
std::string encode_buffer(const FieldSet& fields, const std::array<FieldName, N>& names) {
    std::vector<std::string> items;
    items.reserve(N);
    for (const FieldName name : names) {
        items.push_back(is_list_text(name)
                            ? replace_all(fields.text(name), kSeparator, kCommaStandIn)
                            : fields.text(name));
    }
    return text::join_items(items, kSeparator);
}

template <std::size_t N>
bool listed(const std::array<FieldName, N>& names, FieldName name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

struct TimeOfConcentrationForm::Path {
    double length = 0.0;
    double slope = 0.0;  // ft/ft or m/m
};

// Segments 2 and 4: the velocity comes from Manning's equation when the geometry
// (depth of flow, pipe diameter) is given, else it is the one typed.
struct TimeOfConcentrationForm::VelocityDrive {
    int segment;
    FieldName mannings_n;
    FieldName geometry;
    FieldName velocity;
    bool full_pipe;
};

TimeOfConcentrationForm::TimeOfConcentrationForm(store::ProjectContext& context,
                                                 DesignSession& session, Ui& ui)
    : FormModel(field_names::kTimeOfConcentration), context_(context), session_(session), ui_(ui) {
    for (const auto& path : kPaths) {
        for (const FieldName name : {path.length, path.upper, path.lower, path.slope}) {
            fields.set_text(name, "");
        }
    }
    for (const FieldName name : std::initializer_list<FieldName>{
             "tgd_flow", "channel_velocity", "pipe_dia", "pipe_velocity", "txtoutlet_height",
             "txttravel_length"}) {
        fields.set_text(name, "");
    }
    fields.set_text("intercept_coeff", "0.076");
    fields.set_text("gn", "0.016");
    fields.set_text("gn4", "0.016");
    fields.set_text("rational_C_value", "0.9");
    fields.set_text("txtsurface_factor", "1.0");
    // Each list starts at its first item, the one whose value its dependent field
    // starts with.
    for (const auto& link : kLists) {
        auto& field = fields[link.list];
        for (const auto& choice : link.choices()) field.items.emplace_back(choice.text);
        field.text = field.items.front();
    }
    for (int s = 0; s < kSegments; ++s) {
        fields.set_text(kTimes[static_cast<std::size_t>(s)], "0.0");
        fields.set_text(kChecks[static_cast<std::size_t>(s)], "0");
    }
    fields.set_text(kTotal, "0.0");
}

void TimeOfConcentrationForm::open(const TcExchange& pipe) {
    session_.number_format = std::string(number_format_for(context_.units));
    const UnitNames units = UnitNames::for_units(context_.units);
    fields.set_text("length_unit", std::string(units.length));
    fields.set_text("slope_unit", std::string(units.slope));
    fields.set_text("velocity_unit", std::string(units.velocity));
    restore(pipe);
}

// Items missing from a short buffer leave their fields as they start.
void TimeOfConcentrationForm::restore(const TcExchange& pipe) {
    const auto fill = [this](const auto& names, const std::vector<std::string>& items) {
        for (std::size_t i = 0; i < std::min(items.size(), names.size()); ++i) {
            const FieldName name = names[i];
            fields.set_text(name, is_list_text(name)
                                      ? replace_all(items[i], kCommaStandIn, kSeparator)
                                      : items[i]);
        }
    };
    if (!pipe.PTcStr.empty()) {
        fill(kFirstBuffer,
             text::split_items(pipe.PTcStr, kSeparator, kFirstBuffer.size(), kLandCoverItem));
    }
    if (!pipe.pTcStr2.empty()) {
        fill(kSecondBuffer, text::split_items(pipe.pTcStr2, kSeparator, kSecondBuffer.size()));
    }
    if (!pipe.PTcoptionstr.empty()) {
        const auto options = text::split_items(pipe.PTcoptionstr, kSeparator, kSegments);
        for (std::size_t i = 0; i < options.size(); ++i) {
            // Ticking runs the box's command: the segment is computed again from the
            // inputs just restored.
            if (text::trim(options[i]) == "1") set_check(static_cast<int>(i) + 1, true);
        }
    }
}

std::string TimeOfConcentrationForm::option_buffer() const {
    std::vector<std::string> items;
    for (int s = 1; s <= kSegments; ++s) items.push_back(checked(s) ? "1" : "0");
    return text::join_items(items, kSeparator);
}

bool TimeOfConcentrationForm::checked(int segment) const {
    return fields.at(kChecks[static_cast<std::size_t>(segment - 1)]).checked();
}

void TimeOfConcentrationForm::set_check(int segment, bool ticked) {
    if (segment < 1 || segment > kSegments || checked(segment) == ticked) return;
    fields.set_text(kChecks[static_cast<std::size_t>(segment - 1)], ticked ? "1" : "0");
    check_box_changed(segment);
}

void TimeOfConcentrationForm::check_box_changed(int segment) {
    if (segment < 1 || segment > kSegments) return;
    if (!checked(segment)) {
        fields.set_text(kTimes[static_cast<std::size_t>(segment - 1)], "0.0");
    } else if (!compute_segment(segment)) {
        // A refused segment is not counted: clearing its box zeroes its time.
        set_check(segment, false);
    }
    compute_total();
}

bool TimeOfConcentrationForm::compute_segment(int segment) {
    switch (segment) {
        case 1:
            return compute_shallow_flow();
        case 2:
            return compute_driven_flow({2, "gn", "tgd_flow", "channel_velocity", false});
        case 3:
            return compute_overland_flow();
        case 4:
            return compute_driven_flow({4, "gn4", "pipe_dia", "pipe_velocity", true});
        default:
            return compute_kirpich();
    }
}

// An empty input reads as 0, which the checks below refuse where it matters; a
// text that is not a number is a data error.
std::optional<double> TimeOfConcentrationForm::input(FieldName name) const {
    const auto parsed = text::parse_number(fields.text(name));
    if (parsed.empty()) return 0.0;
    if (!parsed.ok()) return std::nullopt;
    return parsed.value;
}

bool TimeOfConcentrationForm::refuse(const char* message) {
    ui_.message(message, Icon::Exclamation, texts::kErrorTitle);
    return false;
}

auto TimeOfConcentrationForm::read_path(int segment) -> std::optional<Path> {
    const auto& names = kPaths[static_cast<std::size_t>(segment - 1)];
    const auto length = input(names.length);
    const auto upper = input(names.upper);
    const auto lower = input(names.lower);
    const char* refusal = nullptr;
    std::optional<double> slope;
    if (!length || !upper || !lower) {
        refusal = texts::kDataError;
    } else if (*length == 0.0) {
        refusal = texts::kFlowDistanceZero;
    } else if (!(*upper > *lower)) {
        refusal = texts::kUpperBelowLower;
    } else {
        slope = hydrology::segment_slope(*length, *upper, *lower);
        if (!slope) refusal = texts::kDataError;
    }
    if (refusal) {
        refuse(refusal);
        return std::nullopt;
    }
    return Path{*length, *slope};
}

bool TimeOfConcentrationForm::compute_shallow_flow() {
    const auto path = read_path(1);
    if (!path) return false;
    const auto k = input("intercept_coeff");
    if (!k) return refuse(texts::kDataError);
    const double slope_percent = path->slope * 100.0;
    fields.set_text("slope1", text::format_number(slope_percent, number_format()));
    const auto time = hydrology::shallow_flow_time(
        hydrology::TcConstants::for_units(context_.units), path->length, slope_percent, *k);
    if (!time) return refuse(texts::kDataError);
    fields.set_text("txtTc1", text::format_number(*time, number_format()));
    return true;
}

bool TimeOfConcentrationForm::compute_driven_flow(const VelocityDrive& drive) {
    const auto path = read_path(drive.segment);
    if (!path) return false;
    const auto& names = kPaths[static_cast<std::size_t>(drive.segment - 1)];
    fields.set_text(names.slope, text::format_number(path->slope, "0.0000"));
    const auto geometry = input(drive.geometry);
    if (!geometry) return refuse(texts::kDataError);
    if (*geometry > 0.0) {
        const auto n = input(drive.mannings_n);
        if (!n) return refuse(texts::kDataError);
        const auto constants = hydrology::TcConstants::for_units(context_.units);
        const auto velocity =
            drive.full_pipe ? hydrology::full_pipe_velocity(constants, *n, *geometry, path->slope)
                            : hydrology::manning_velocity(constants, *n, *geometry, path->slope);
        if (!velocity) return refuse(texts::kDataError);
        fields.set_text(drive.velocity, text::format_number(*velocity, number_format()));
    }
    // The time follows the velocity as shown, rounded to the number format.
    const auto velocity = input(drive.velocity);
    if (!velocity) return refuse(texts::kDataError);
    const auto time = hydrology::travel_time(path->length, *velocity);
    if (!time) return refuse(texts::kDataError);
    fields.set_text(kTimes[static_cast<std::size_t>(drive.segment - 1)],
                    text::format_number(*time, number_format()));
    return true;
}

bool TimeOfConcentrationForm::compute_overland_flow() {
    const auto path = read_path(3);
    if (!path) return false;
    fields.set_text("slope3", text::format_number(path->slope, "0.0000"));
    const auto c = input("rational_C_value");
    if (!c) return refuse(texts::kDataError);
    const auto time = hydrology::seelye_time(hydrology::TcConstants::for_units(context_.units),
                                             path->length, path->slope, *c);
    if (!time) return refuse(texts::kDataError);
    fields.set_text("txtTc3", text::format_number(*time, number_format()));
    return true;
}

// The surface factor the engineer chose (or typed) is applied; an emptied factor
// is taken as 1.0, the factor of natural and grass channels, and shown again.
bool TimeOfConcentrationForm::compute_kirpich() {
    const auto height = input("txtoutlet_height");
    const auto length = input("txttravel_length");
    if (!height || !length) return refuse(texts::kDataError);
    if (*height == 0.0 || *length == 0.0) return refuse(texts::kDataValueZero);
    if (fields.text("txtsurface_factor").empty()) fields.set_text("txtsurface_factor", "1.0");
    const auto factor = input("txtsurface_factor");
    if (!factor) return refuse(texts::kDataError);
    const auto time = hydrology::kirpich_time(hydrology::TcConstants::for_units(context_.units),
                                              *length, *height, *factor);
    if (!time) return refuse(texts::kDataError);
    fields.set_text("txtTc5", text::format_number(*time, number_format()));
    return true;
}

// The total adds the segment times as shown; a time that does not read as a number
// adds nothing.
void TimeOfConcentrationForm::compute_total() {
    double total = 0.0;
    for (const FieldName name : kTimes) {
        const auto parsed = text::parse_number(fields.text(name));
        if (parsed.ok()) total += parsed.value;
    }
    fields.set_text(kTotal, text::format_number(total, number_format()));
}

void TimeOfConcentrationForm::field_left(FieldName name) {
    if (name == "flow_distance1") {
        leave_shallow_distance();
    } else if (name == "flow_distance3") {
        leave_overland_distance();
    } else if (listed(kNumberFormatFields, name)) {
        fields.set_text(name, format_on_leave(fields.text(name), number_format()));
    } else if (listed(kCoefficientFields, name)) {
        fields.set_text(name, format_on_leave(fields.text(name), "0.000"));
    } else {
        for (int s = 1; s <= static_cast<int>(kPaths.size()); ++s) {
            if (name == kPaths[static_cast<std::size_t>(s - 1)].lower) leave_lower_elevation(s);
        }
        for (const auto& pair : kDrivePairs) {
            if (name == pair.field) leave_drive_field(name);
        }
    }
}

// Shallow concentrated flow is not valid beyond 300 ft (90 m).
void TimeOfConcentrationForm::leave_shallow_distance() {
    const FieldName name = kPaths[0].length;
    if (fields.text(name).empty()) fields.set_text(name, "0.0");
    const auto length = text::parse_number(fields.text(name));
    if (length.ok()) {
        if (is_english(context_.units) && length.value > 300.0) {
            ui_.message(texts::kShallowLengthFeet, Icon::Exclamation);
            fields.set_text(name, "300");
        } else if (!is_english(context_.units) && length.value > 90.0) {
            ui_.message(texts::kShallowLengthMetres, Icon::Exclamation);
            fields.set_text(name, "90");
        }
    }
    fields.set_text(name, format_on_leave(fields.text(name), number_format()));
}

// Overland flow is limited to 200 of the project's length unit in either system.
void TimeOfConcentrationForm::leave_overland_distance() {
    const FieldName name = kPaths[2].length;
    if (fields.text(name).empty()) fields.set_text(name, "0.0");
    const auto length = text::parse_number(fields.text(name));
    if (length.ok() && length.value > 200.0) {
        ui_.message(texts::kOverlandLength, Icon::Exclamation);
        fields.set_text(name, "200.0");
    }
    fields.set_text(name, format_on_leave(fields.text(name), number_format()));
}

// The slope is shown as soon as a path is complete (in percent for shallow flow).
void TimeOfConcentrationForm::leave_lower_elevation(int segment) {
    const auto& names = kPaths[static_cast<std::size_t>(segment - 1)];
    fields.set_text(names.lower, format_on_leave(fields.text(names.lower), number_format()));
    const auto length = input(names.length);
    const auto upper = input(names.upper);
    const auto lower = input(names.lower);
    const auto slope = (length && upper && lower)
                           ? hydrology::segment_slope(*length, *upper, *lower)
                           : std::nullopt;
    if (!slope) {
        ui_.message(texts::kSlopeDivideByZero, Icon::Exclamation);
        return;
    }
    const double shown = segment == 1 ? *slope * 100.0 : *slope;
    fields.set_text(names.slope, text::format_number(shown, "0.0000"));
}

void TimeOfConcentrationForm::leave_drive_field(FieldName name) {
    fields.set_text(name, format_on_leave(fields.text(name), number_format()));
    const auto value = text::parse_number(fields.text(name));
    if (!value.ok() || value.value <= 0.0) return;
    for (const auto& pair : kDrivePairs) {
        if (name == pair.field) fields.set_text(pair.cleared, "0.0");
    }
}

void TimeOfConcentrationForm::choose(FieldName list_field) {
    for (const auto& link : kLists) {
        if (list_field != link.list) continue;
        if (const auto value = hydrology::choice_value(link.choices(), fields.text(link.list))) {
            fields.set_text(link.dependent, std::string(*value));
        }
    }
}

void TimeOfConcentrationForm::cmdsavePTc() {
    compute_total();
    const auto tc = text::parse_number(fields.text(kTotal));
    if (tc.ok() && tc.value >= hydrology::kMinimumTcMinutes) {
        saved_ =
            TcExchange{encode_buffer(fields, kFirstBuffer), encode_buffer(fields, kSecondBuffer),
                       option_buffer(), fields.text(kTotal), "1"};
        close_requested = true;
        return;
    }
    if (ui_.ask(texts::kDefaultTcQuestion, Buttons::OkCancel, Icon::Exclamation, kAppTitle) !=
        Answer::Ok) {
        return;
    }
    // The default inlet time replaces the computed one, and nothing of the
    // computation is kept: the next opening starts afresh.
    fields.set_text(kTotal, "5.0");
    saved_ = TcExchange{"", "", "", "5.0", "0"};
    close_requested = true;
}

void TimeOfConcentrationForm::cmdcancelPTc() {
    saved_.reset();
    close_requested = true;
}

}  // namespace pelvane::forms
