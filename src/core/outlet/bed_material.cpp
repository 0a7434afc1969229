#include "core/outlet/bed_material.h"

#include "core/outlet/checked_math.h"

namespace pelvane::outlet {

using namespace detail;

const std::array<BedMaterial, 16>& bed_materials() {
    static const std::array<BedMaterial, 16> table{{
        {"Boulders", "> 0.84", "> 256", true, -0.0358, 1.015, 13.809, 0.0},
        {"Large Cobbles", "0.84 - 0.42", "256 - 128", true, -0.0421, 1.0109, 10.546, 0.0},
        {"Small Cobbles", "0.42 - 0.21", "128 - 64", true, -0.0285, 0.7411, 6.6428, 0.0},
        {"Very Coarse Gravel", "0.21 - 0.105", "64 - 32", true, -0.0122, 0.4791, 4.6472, 0.0},
        {"Coarse Gravel", "0.105 - 0.0525", "32 - 16", true, -0.0052, 0.2889, 3.7558, 0.0},
        {"Medium Gravel", "0.0525 - 0.0262", "16 - 8", true, -0.0018, 0.1678, 3.1108, 0.0},
        {"Fine Gravel", "0.0262 - 0.0131", "8 - 4", true, -0.0008, 0.1425, 2.4553, 0.0},
        {"Very Fine Gravel", "0.0131 - 0.00656", "4 - 2", true, -0.0036, 0.1437, 2.0342, 0.0},
        {"Very Coarse Sand", "0.00656 - 0.00328", "2 - 1", true, -0.0036, 0.1437, 1.6342, 0.0},
        {"Coarse Sand", "0.00328 - 0.00164", "1 - 0.5", true, -0.0068, 0.1676, 1.3022, 0.0},
        {"Medium Sand", "0.00164 - 0.00082", "0.5 - 0.25", true, -0.0068, 0.1676, 1.0022, 0.0},
        {"Fine Sand", "0.00082 - 0.00041", "0.25 - 0.125", true, -0.0074, 0.1769, 0.7737, 0.0},
        {"Sandy Loam (Heavy)", " - ", " - ", false, 0.0, 0.0, 0.0, 2.5},
        {"Sandy Loam (Light)", " - ", " - ", false, 0.0, 0.0, 0.0, 3.0},
        {"Sandy Clay (Sand 60%)", "0.15", "4.0", false, 0.0, 0.0, 0.0, 5.0},
        {kClayBed, "Various", "Various", false, 0.0, 0.0, 0.0, 5.0},
    }};
    return table;
}

const BedMaterial* find_bed_material(std::string_view name) {
    for (const auto& material : bed_materials()) {
        if (material.name == name) return &material;
    }
    return nullptr;
}

BedMaterialResult apply_bed_material(std::string_view material, std::string_view dn_C,
                                     const OutletUnits& units) {
    BedMaterialResult r;
    r.plindex = "5.0";
    r.failed = !run_steps([&] {
        const BedMaterial* bed = find_bed_material(material);
        if (bed == nullptr) fail();
        const double y = field_value(dn_C) * units.constants.m_to_ft;
        const double v_ft_s =
            bed->granular ? finite(bed->a * y * y + bed->b * y + bed->c) : bed->fixed_ft_s;
        r.clay = bed->name == kClayBed;
        if (r.clay && units.english) {
            r.D16 = "0.01";
            r.D84 = "0.1";
        }
        r.permissible_velocity = v_ft_s * units.constants.ft_to_m;
        r.D50bed = std::string(units.english ? bed->d50_english : bed->d50_metric);
        r.Velocity_NS = text::format_number(r.permissible_velocity, "0.00");
        r.outlet_protection = "";
    });
    return r;
}

}  // namespace pelvane::outlet
