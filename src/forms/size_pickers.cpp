#include "forms/size_pickers.h"

#include <algorithm>

#include "core/pipe/catalogue.h"
#include "core/units.h"

namespace pelvane::forms {
namespace {

using pipe::kArchConcrete;
using pipe::kArchLargeCorr;
using pipe::kArchMediumCorr;
using pipe::kArchSmallCorr;
using pipe::kElliptical;

// Column captions. The concrete arch window of English units words its first three
// captions its own way; metric windows give the hydraulic radius in metres.
constexpr std::array<std::string_view, 4> kEnglishCaptions{
    "Span (Inch)", "Rise (Inch)", "Area Full (Sq. Ft.)", "Hyd. Rad. (Ft.)"};
constexpr std::array<std::string_view, 4> kConcreteArchCaptions{
    "Span (in)", "Rise (in)", "Area Full (Sq.Ft.)", "Hyd. Rad. (Ft.)"};
constexpr std::array<std::string_view, 4> kMetricCaptions{"Span (mm)", "Rise (mm)",
                                                          "Area Full (Sq.M.)", "Hyd. Rad. (M.)"};

// The rows in list order. The metric elliptical table has no upright twin of
// 1535 x 975, hence its 29 rows.
constexpr SizeRow kEllipticalRows[] = {
    {"23", "14", "1.757", "0.363"},   {"14", "23", "1.757", "0.363"},
    {"30", "19", "3.110", "0.485"},   {"19", "30", "3.110", "0.485"},
    {"34", "22", "4.081", "0.557"},   {"22", "34", "4.081", "0.557"},
    {"38", "24", "4.976", "0.613"},   {"24", "38", "4.976", "0.613"},
    {"42", "27", "6.187", "0.685"},   {"27", "42", "6.187", "0.685"},
    {"45", "29", "7.121", "0.735"},   {"29", "45", "7.121", "0.735"},
    {"49", "32", "8.556", "0.807"},   {"32", "49", "8.556", "0.807"},
    {"53", "34", "9.832", "0.863"},   {"34", "53", "9.832", "0.863"},
    {"60", "38", "12.440", "0.969"},  {"38", "60", "12.440", "0.969"},
    {"68", "43", "15.954", "1.098"},  {"43", "68", "15.954", "1.098"},
    {"76", "48", "19.905", "1.226"},  {"48", "76", "19.905", "1.226"},
    {"83", "53", "24.002", "1.348"},  {"53", "83", "24.002", "1.348"},
    {"91", "58", "28.799", "1.476"},  {"58", "91", "28.799", "1.476"},
    {"98", "63", "33.687", "1.598"},  {"63", "98", "33.687", "1.598"},
    {"106", "68", "39.329", "1.726"}, {"68", "106", "39.329", "1.726"},
};

constexpr SizeRow kEllipticalMetricRows[] = {
    {"575", "365", "0.165", "0.112"},   {"365", "575", "0.165", "0.112"},
    {"770", "490", "0.296", "0.150"},   {"490", "770", "0.296", "0.150"},
    {"865", "550", "0.374", "0.168"},   {"550", "865", "0.374", "0.168"},
    {"960", "610", "0.460", "0.186"},   {"610", "960", "0.460", "0.186"},
    {"1055", "670", "0.555", "0.205"},  {"670", "1055", "0.555", "0.205"},
    {"1150", "730", "0.660", "0.223"},  {"730", "1150", "0.660", "0.223"},
    {"1250", "795", "0.781", "0.243"},  {"795", "1250", "0.781", "0.243"},
    {"1345", "855", "0.904", "0.261"},  {"855", "1345", "0.904", "0.261"},
    {"1535", "975", "1.176", "0.298"},  {"1730", "1095", "1.488", "0.335"},
    {"1095", "1730", "1.488", "0.335"}, {"1920", "1220", "1.840", "0.373"},
    {"1220", "1920", "1.840", "0.373"}, {"2110", "1340", "2.222", "0.410"},
    {"1340", "2110", "2.222", "0.410"}, {"2305", "1465", "2.653", "0.448"},
    {"1465", "2305", "2.653", "0.448"}, {"2495", "1585", "3.107", "0.485"},
    {"1585", "2495", "3.107", "0.485"}, {"2690", "1705", "3.604", "0.522"},
    {"1705", "2690", "3.604", "0.522"},
};

constexpr SizeRow kConcreteArchRows[] = {
    {"18", "11", "1.1", "0.25"},          {"22", "13.5", "1.6", "0.30"},
    {"26", "15.5", "2.2", "0.36"},        {"28.5", "18", "2.8", "0.45"},
    {"36.25", "22.5", "4.4", "0.57"},     {"43.75", "26.62", "6.4", "0.68"},
    {"51.12", "31.31", "8.8", "0.80"},    {"58.5", "36", "11.4", "0.90"},
    {"65", "40", "14.3", "1.01"},         {"73", "45", "17.7", "1.13"},
    {"88", "54", "25.6", "1.35"},         {"102", "62", "34.6", "1.57"},
    {"115", "72", "44.5", "1.77"},        {"122", "77.25", "51.7", "1.92"},
    {"138", "87.12", "66.0", "2.17"},     {"154", "96.87", "81.86", "2.43"},
    {"168.75", "106.5", "98.56", "2.67"},
};

constexpr SizeRow kConcreteArchMetricRows[] = {
    {"457", "280", "0.10", "0.076"},   {"559", "343", "0.15", "0.091"},
    {"660", "394", "0.20", "0.110"},   {"724", "457", "0.26", "0.137"},
    {"895", "572", "0.41", "0.174"},   {"1111", "676", "0.59", "0.207"},
    {"1298", "795", "0.82", "0.244"},  {"1486", "914", "1.06", "0.274"},
    {"1651", "1016", "1.33", "0.308"}, {"1854", "1143", "1.64", "0.344"},
    {"2235", "1372", "2.38", "0.411"}, {"2591", "1575", "3.21", "0.479"},
    {"2921", "1829", "4.13", "0.539"}, {"3099", "1962", "4.80", "0.585"},
    {"3505", "2213", "6.13", "0.661"}, {"3912", "2460", "7.61", "0.741"},
    {"4286", "2705", "9.16", "0.814"},
};

constexpr SizeRow kSmallCorrRows[] = {
    {"17", "13", "1.1", "0.280"},  {"21", "15", "1.6", "0.340"},  {"24", "18", "2.2", "0.400"},
    {"28", "20", "2.9", "0.462"},  {"35", "24", "4.5", "0.573"},  {"42", "29", "6.5", "0.690"},
    {"49", "33", "8.9", "0.810"},  {"57", "38", "11.6", "0.924"}, {"64", "43", "14.7", "1.040"},
    {"71", "47", "18.1", "1.153"}, {"77", "52", "21.9", "1.268"}, {"83", "57", "26.0", "1.380"},
};

constexpr SizeRow kSmallCorrMetricRows[] = {
    {"432", "330", "0.10", "0.085"},   {"533", "381", "0.15", "0.104"},
    {"610", "457", "0.20", "0.122"},   {"711", "508", "0.27", "0.141"},
    {"889", "610", "0.42", "0.175"},   {"1067", "737", "0.60", "0.210"},
    {"1245", "838", "0.83", "0.247"},  {"1448", "965", "1.08", "0.282"},
    {"1626", "1092", "1.37", "0.317"}, {"1803", "1194", "1.68", "0.351"},
    {"1956", "1321", "2.03", "0.386"}, {"2108", "1448", "2.42", "0.421"},
};

constexpr SizeRow kMediumCorrRows[] = {
    {"40", "31", "7.0", "0.672"},   {"46", "36", "9.4", "0.775"},   {"53", "41", "12.3", "0.990"},
    {"60", "46", "15.6", "1.104"},  {"66", "51", "19.3", "1.230"},  {"73", "55", "23.2", "1.343"},
    {"81", "59", "27.4", "1.454"},  {"87", "63", "32.1", "1.573"},  {"95", "67", "37.0", "1.683"},
    {"103", "71", "42.4", "1.800"}, {"112", "75", "48.0", "1.911"}, {"117", "79", "54.2", "2.031"},
    {"128", "83", "60.5", "2.141"}, {"137", "87", "67.4", "2.259"}, {"142", "91", "74.5", "2.373"},
};

constexpr SizeRow kMediumCorrMetricRows[] = {
    {"1016", "787", "0.65", "0.205"},  {"1168", "914", "0.87", "0.236"},
    {"1346", "1041", "1.14", "0.302"}, {"1524", "1168", "1.45", "0.336"},
    {"1676", "1295", "1.79", "0.375"}, {"1854", "1397", "2.16", "0.409"},
    {"2057", "1499", "2.55", "0.443"}, {"2210", "1600", "2.98", "0.479"},
    {"2413", "1702", "3.44", "0.513"}, {"2616", "1803", "3.94", "0.549"},
    {"2845", "1905", "4.46", "0.582"}, {"2972", "2007", "5.04", "0.619"},
    {"3251", "2108", "5.62", "0.653"}, {"3480", "2210", "6.26", "0.689"},
    {"3607", "2311", "6.92", "0.723"},
};

constexpr SizeRow kLargeCorrRows[] = {
    {"73", "55", "22", "1.29"},    {"76", "57", "24", "1.35"},    {"81", "59", "26", "1.39"},
    {"84", "61", "28", "1.45"},    {"87", "63", "31", "1.51"},    {"92", "65", "33", "1.55"},
    {"95", "67", "35", "1.61"},    {"98", "69", "38", "1.67"},    {"103", "71", "40", "1.71"},
    {"106", "73", "43", "1.77"},   {"112", "75", "46", "1.81"},   {"114", "77", "49", "1.87"},
    {"117", "79", "52", "1.93"},   {"123", "81", "55", "1.97"},   {"128", "83", "58", "2.01"},
    {"131", "85", "61", "2.07"},   {"137", "87", "64", "2.11"},   {"139", "89", "67", "2.17"},
    {"142", "91", "71", "2.23"},   {"148", "93", "74", "2.26"},   {"150", "95", "78", "2.32"},
    {"152", "97", "81", "2.38"},   {"154", "100", "85", "2.44"},  {"161", "101", "89", "2.48"},
    {"167", "103", "93", "2.52"},  {"169", "105", "97", "2.57"},  {"171", "107", "101", "2.63"},
    {"178", "109", "105", "2.67"}, {"184", "111", "109", "2.71"}, {"186", "113", "113", "2.77"},
    {"188", "115", "118", "2.83"}, {"190", "118", "122", "2.89"}, {"197", "119", "126", "2.92"},
    {"199", "121", "131", "2.98"},
};

constexpr SizeRow kLargeCorrMetricRows[] = {
    {"1854", "1397", "2.04", "0.393"},  {"1930", "1448", "2.23", "0.411"},
    {"2057", "1499", "2.42", "0.424"},  {"2388", "1549", "2.60", "0.442"},
    {"2210", "1600", "2.88", "0.460"},  {"2337", "1651", "3.07", "0.472"},
    {"2413", "1702", "3.25", "0.491"},  {"2489", "1753", "3.53", "0.509"},
    {"2616", "1803", "3.72", "0.521"},  {"2692", "1854", "3.99", "0.539"},
    {"2845", "1905", "4.27", "0.552"},  {"2896", "1956", "4.55", "0.570"},
    {"2972", "2007", "4.83", "0.588"},  {"3124", "2057", "5.11", "0.600"},
    {"3251", "2108", "5.39", "0.613"},  {"3327", "2159", "5.67", "0.631"},
    {"3480", "2210", "5.95", "0.643"},  {"3531", "2261", "6.22", "0.661"},
    {"3607", "2311", "6.60", "0.680"},  {"3759", "2362", "6.87", "0.689"},
    {"3810", "2413", "7.25", "0.707"},  {"3861", "2464", "7.53", "0.725"},
    {"3912", "2540", "7.90", "0.744"},  {"4089", "2565", "8.27", "0.756"},
    {"4242", "2616", "8.64", "0.768"},  {"4293", "2667", "9.01", "0.783"},
    {"4343", "2718", "9.38", "0.802"},  {"4521", "2769", "9.75", "0.814"},
    {"4674", "2819", "10.13", "0.826"}, {"4724", "2870", "10.50", "0.844"},
    {"4775", "2921", "10.96", "0.863"}, {"4826", "2997", "11.33", "0.881"},
    {"5004", "3023", "11.70", "0.890"}, {"5055", "3073", "12.17", "0.908"},
};

// Both concrete windows share the Select button name PAselect and both
// medium-corrugation windows PAcmp2select; every arch window cancels with pacancel.
constexpr SizePicker kPickers[] = {
    {"frmEPipeSize", "Elliptical Pipe Sizes", "Epipelist", "Pselect", "pscancel", kEnglishCaptions,
     kElliptical, false, kEllipticalRows},
    {"frmPipeSizeM", "Elliptical Pipe Sizes (Metric)", "EpipelistM", "PselectM", "pscancelM",
     kMetricCaptions, kElliptical, true, kEllipticalMetricRows},
    {"frmPA_C_E", "Concrete Pipe Arch Sizes (English)", "PA_C_E_list", "PAselect", "pacancel",
     kConcreteArchCaptions, kArchConcrete, false, kConcreteArchRows},
    {"frmPA_C_M", "Concrete Pipe Arch Sizes (Metric)", "PA_C_M_list", "PAselect", "pacancel",
     kMetricCaptions, kArchConcrete, true, kConcreteArchMetricRows},
    {"frmPA_CMP_SC_E", "CMP Pipe Arch Sizes (Small Corrugations)", "PA_Cmp1_E_list", "PAcmp1select",
     "pacancel", kEnglishCaptions, kArchSmallCorr, false, kSmallCorrRows},
    {"frmPA_CMP_SC_M", "CMP Pipe Arch Sizes Metric (Small Corrugations)", "PA_Cmp1_M_list",
     "PAcmp1Mselect", "pacancel", kMetricCaptions, kArchSmallCorr, true, kSmallCorrMetricRows},
    {"frmPA_CMP_MC_E", "CMP Pipe Arch Sizes (Medium Corrugations)", "PA_Cmp2_E_list",
     "PAcmp2select", "pacancel", kEnglishCaptions, kArchMediumCorr, false, kMediumCorrRows},
    {"frmPA_CMP_MC_M", "CMP Pipe Arch Sizes Metric (Medium Corrugations)", "PA_Cmp2_M_list",
     "PAcmp2select", "pacancel", kMetricCaptions, kArchMediumCorr, true, kMediumCorrMetricRows},
    {"frmPA_CMP_LC_E", "CMP Pipe Arch Sizes (Large Corrugations)", "PA_Cmp3_E_list", "PAcmp3select",
     "pacancel", kEnglishCaptions, kArchLargeCorr, false, kLargeCorrRows},
    {"frmPA_CMP_LC_M", "CMP Pipe Arch Sizes Metric (Large Corrugations)", "PA_Cmp3_M_list",
     "PAcmp3Mselect", "pacancel", kMetricCaptions, kArchLargeCorr, true, kLargeCorrMetricRows},
};

}  // namespace

std::string SizeRow::list_text() const {
    std::string text;
    for (const std::string_view field : columns()) {
        if (!text.empty()) text += '\t';
        text += field;
    }
    return text;
}

std::span<const SizePicker> size_pickers() {
    return kPickers;
}

const SizePicker* picker_for(std::string_view shape, std::string_view units) {
    const bool metric = !is_english(units);
    for (const SizePicker& picker : kPickers) {
        if (picker.shape == shape && picker.metric == metric) return &picker;
    }
    return nullptr;
}

const SizePicker* find_picker(std::string_view window) {
    for (const SizePicker& picker : kPickers) {
        if (picker.window == window) return &picker;
    }
    return nullptr;
}

SectionChange picked_size(const SizePicker& picker, std::string_view list_text) {
    // Only span and rise are taken; area and hydraulic radius are for reading.
    std::array<std::string, 2> size;
    std::size_t start = 0;
    for (std::string& field : size) {
        if (start > list_text.size()) break;
        const std::size_t tab = std::min(list_text.find('\t', start), list_text.size());
        field = std::string(list_text.substr(start, tab - start));
        start = tab + 1;
    }
    SectionChange change;
    change.span.text = size[0];
    change.rise.text = size[1];
    change.span.enabled = false;
    change.rise.enabled = false;
    lock_arch_material(change, picker.shape);
    return change;
}

}  // namespace pelvane::forms
