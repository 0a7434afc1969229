#pragma once
// The fields of every window, one list per window: the names its model and its
// view use for its controls (`pipe_number`, `nodein_topele`, ...) and for the
// states the model keeps for the view (captions, frames, menu items). A field
// name exists only on these lists; see forms/field.h.

#include <array>
#include <span>
#include <string_view>

namespace pelvane::forms::field_names {

struct Window {
    std::string_view title;  // names the window in an error
    std::span<const std::string_view> names;
};

// clang-format off
inline constexpr auto kMainNames = std::to_array<std::string_view>({
    "mnuabout", "mnucloseProj", "mnucompactHistory", "mnucreateProj", "mnuDesign", "mnuexit",
    "mnufile", "mnuHelp", "mnuopenProj", "mnuPipe", "mnuRainfallData", "mnusubHelp", "mnuTools",
    "mnuupdateProj",
    "status_database", "status_date", "status_time", "status_units",
});
inline constexpr auto kPipeNames = std::to_array<std::string_view>({
    "accumulated_ca", "accumulated_Tc", "capacity", "Check_ComputeTc", "cmd_accIntensity",
    "cmdpipesolve", "cmdstr_area", "cmdstr_Tc", "critical_depth", "dischargeval", "energy",
    "flow_time", "flow_type", "fra_accumulation", "fra_lateral", "fra_nodein", "fra_nodeout",
    "fra_pipe", "fra_previous", "fra_rainfall", "fra_section", "fra_solve", "fra_source",
    "fra_structure", "friction_slope", "FROUDE_NO", "hyd_radius", "inlet_dbfile",
    "lateral_discharge", "lblStatus", "mnuAddpipe", "mnuEditpipe", "mnuExitPipe", "mnuSavepipe",
    "nodein_no", "nodein_offloc", "nodein_offset", "nodein_shaping", "nodein_station",
    "nodein_topele", "nodein_type", "nodeout_no", "nodeout_offloc", "nodeout_offset",
    "nodeout_station", "nodeout_topele", "nodeout_type", "numofpipes", "pareabufstr", "pcbufstr",
    "pipe_areaflow", "pipe_cf", "pipe_dia", "pipe_discharge", "pipe_elein", "pipe_eleout",
    "pipe_flowdepth", "pipe_I", "pipe_length", "pipe_mann", "pipe_mat", "pipe_number",
    "pipe_shape", "pipe_skew", "pipe_slope", "pipe_storm_freq", "pipe_summary", "pipe_velocity",
    "pipe_WP", "preca1", "preca2", "preca3", "preca4", "preflowtime1", "preflowtime2",
    "preflowtime3", "preflowtime4", "prenode1", "prenode2", "prenode3", "prenode4",
    "pressed_button", "preTc1", "preTc2", "preTc3", "preTc4", "project_id", "PTcoptionstr",
    "PTcStr", "pTcStr2", "rise", "screenmode", "span", "status_project", "status_section",
    "status_units", "structure_area", "structure_ca", "structure_discharge", "structure_Tc",
    "unit_area", "unit_discharge", "unit_flow_area", "unit_intensity", "unit_length", "unit_size",
    "unit_slope", "unit_velocity",
});
inline constexpr auto kPipeEnergyNames = std::to_array<std::string_view>({
    "Bed_Matl", "Bed_Matl_label", "Bed_Matl_unit", "C_Discharge", "C_Discharge_label",
    "C_Discharge_unit", "cmdanalyzeED", "D16", "D16_label", "D16_unit", "D50bed", "D50bed_label",
    "D50bed_unit", "D84", "D84_label", "D84_unit", "dn_C", "dn_C_label", "dn_C_unit", "dn_TW",
    "dn_TW_label", "dn_TW_unit", "E_Area", "E_Area_label", "E_Area_unit", "E_Discharge",
    "E_Discharge_label", "E_Discharge_unit", "E_HydRad", "E_HydRad_label", "E_HydRad_unit",
    "E_Peri", "E_Peri_label", "E_Peri_unit", "eDiaRise", "eDiaRise_label", "eDiaRise_unit",
    "enodeout", "enodeout_label", "enodeout_unit", "FR_C", "FR_C_label", "FR_C_unit", "L2byh2",
    "outlet_protection", "outlet_protection_label", "outlet_protection_unit", "plindex",
    "plindex_label", "plindex_unit", "status", "txt_D", "txt_D_label", "txt_D_unit", "txt_L",
    "txt_L_label", "txt_L_unit", "txt_W", "txt_W_label", "txt_W_unit", "txth3", "txtLocation",
    "txtLocation_label", "txtLocation_unit", "usdastorm_freq", "V_C", "V_C_label", "V_C_unit",
    "VDOT_Riprap", "velocity2", "velocity2_label", "velocity2_unit", "Velocity_NS",
    "Velocity_NS_label", "Velocity_NS_unit", "vhstorm_freq", "vhstorm_freq_label",
    "vhstorm_freq_unit", "W_culvert", "W_culvert_label", "W_culvert_unit",
});
inline constexpr auto kEnergyDissipationNames = std::to_array<std::string_view>({
    "C_Discharge", "C_Discharge_label", "C_Discharge_unit", "D50_size", "D50_size_label",
    "D50_size_unit", "D_Pool", "D_Pool_label", "D_Pool_unit", "L2byh2", "L2byh2_label",
    "L2byh2_unit", "L_Apron", "L_Apron_label", "L_Apron_unit", "L_Basin", "L_Basin_label",
    "L_Basin_unit", "L_Pool", "L_Pool_label", "L_Pool_unit", "L_ROP", "L_ROP_label", "L_ROP_unit",
    "sizeD50", "sizeD50_label", "sizeD50_unit", "T_StoneA", "T_StoneA_label", "T_StoneA_unit",
    "T_StoneB", "T_StoneB_label", "T_StoneB_unit", "Thickness_Apron", "Thickness_Apron_label",
    "Thickness_Apron_unit", "txt_EC", "txt_EC_label", "txt_EC_unit", "txtdB", "txtdB_label",
    "txtdB_unit", "txtdE_basin", "txtdE_basin_label", "txtdE_basin_unit", "txtdE_contra",
    "txtdE_contra_label", "txtdE_contra_unit", "txtdE_usbr", "txtdE_usbr_label", "txtdE_usbr_unit",
    "txtEC_L", "txtEC_L_label", "txtEC_L_unit", "txtEC_T", "txtEC_T_label", "txtEC_T_unit",
    "txtEC_W", "txtEC_W_label", "txtEC_W_unit", "txtFRo_basin", "txtFRo_basin_label",
    "txtFRo_basin_unit", "txtFRo_contra", "txtFRo_contra_label", "txtFRo_contra_unit",
    "txtFRo_usbr", "txtFRo_usbr_label", "txtFRo_usbr_unit", "txth1", "txth1_label", "txth1_unit",
    "txth2", "txth2_label", "txth2_unit", "txth3", "txth3_label", "txth3_unit", "txtHe",
    "txtHe_label", "txtHe_unit", "txtHL", "txtHL_label", "txtHL_unit", "txtHo", "txtHo_label",
    "txtHo_unit", "txtL1", "txtL1_label", "txtL1_unit", "txtL2", "txtL2_label", "txtL2_unit",
    "txtL3", "txtL3_label", "txtL3_unit", "txtLB", "txtLB_label", "txtLB_unit", "txtVB",
    "txtVB_label", "txtVB_unit", "txtVelocityc", "txtVelocityc_label", "txtVelocityc_unit",
    "txtWbasin", "txtWbasin_label", "txtWbasin_unit", "txtY2", "txtY2_label", "txtY2_unit",
    "txtyc", "txtyc_label", "txtyc_unit", "USBRsize", "USBRsize(0)_label", "USBRsize(0)_unit",
    "USBRsize(1)_label", "USBRsize(1)_unit", "USBRsize(10)_label", "USBRsize(10)_unit",
    "USBRsize(11)_label", "USBRsize(11)_unit", "USBRsize(12)_label", "USBRsize(12)_unit",
    "USBRsize(13)_label", "USBRsize(13)_unit", "USBRsize(14)_label", "USBRsize(14)_unit",
    "USBRsize(2)_label", "USBRsize(2)_unit", "USBRsize(3)_label", "USBRsize(3)_unit",
    "USBRsize(4)_label", "USBRsize(4)_unit", "USBRsize(5)_label", "USBRsize(5)_unit",
    "USBRsize(6)_label", "USBRsize(6)_unit", "USBRsize(7)_label", "USBRsize(7)_unit",
    "USBRsize(8)_label", "USBRsize(8)_unit", "USBRsize(9)_label", "USBRsize(9)_unit",
    "usda_status", "usdastorm_freq", "usdastorm_freq_label", "usdastorm_freq_unit", "V_Exit",
    "V_Exit_label", "V_Exit_unit", "VDOT_Riprap", "VDOT_Riprap_label", "VDOT_Riprap_unit",
    "W_Exit", "W_Exit_label", "W_Exit_unit", "W_ROP", "W_ROP_label", "W_ROP_unit",
});
inline constexpr auto kTimeOfConcentrationNames = std::to_array<std::string_view>({
    "channel_velocity", "CheckTc1", "CheckTc2", "CheckTc3", "CheckTc4", "CheckTc5", "computedPTc",
    "flow_distance1", "flow_distance2", "flow_distance3", "flow_distance4", "gn", "gn4",
    "intercept_coeff", "landuse_type", "length_unit", "lower_elevation1", "lower_elevation2",
    "lower_elevation3", "lower_elevation4", "pipe_dia", "pipe_velocity", "rational_C_value",
    "slope1", "slope2", "slope3", "slope4", "slope_unit", "soil_type", "surface_type", "tgd_flow",
    "txtoutlet_height", "txtsurface_factor", "txtTc1", "txtTc2", "txtTc3", "txtTc4", "txtTc5",
    "txttravel_length", "upper_elevation1", "upper_elevation2", "upper_elevation3",
    "upper_elevation4", "velocity_unit",
});
inline constexpr auto kDrainageAreaNames = std::to_array<std::string_view>({
    "Area", "area_frame", "CA", "Crange", "Cval", "Group", "TAREA", "TAunit", "TCA", "Type",
});
inline constexpr auto kHglNames = std::to_array<std::string_view>({
    "hglanodeout", "length_unit", "TWE",
});
inline constexpr auto kPlanNames = std::to_array<std::string_view>({
    "plan_colour_by", "plan_status",
});
inline constexpr auto kProfileNames = std::to_array<std::string_view>({
    "length_unit", "profile_from", "profile_hover", "profile_outfall", "profile_tailwater",
});
inline constexpr auto kSubmittalNames = std::to_array<std::string_view>({
    "cmdSubmittalWrite", "length_unit", "submittal_folder", "submittal_outfall",
    "submittal_progress", "submittal_tailwater",
});
inline constexpr auto kPipeGridNames = std::to_array<std::string_view>({
    "cmdflexaddpipe", "cmdflexdeletepipe", "cmdflexmodpipe", "cmdflexrecompute", "cmdflexveditpipe",
    "mnuEnergy", "mnuImportPipes", "mnuPastePipes", "mnuSizePipes", "read_only_banner", "rec_count",
    "unsolved_status",
});
inline constexpr auto kProjectConversionNames = std::to_array<std::string_view>({
    "noaa_station",
});
inline constexpr auto kProjectDetailsNames = std::to_array<std::string_view>({
    "cmdNOAAStationHelp", "county", "description", "designer", "history_limit", "inlet_database",
    "location", "major_release", "noaa_station", "project_id", "project_name", "rainfall_note",
    "state", "units",
});
inline constexpr auto kRainfallCheckNames = std::to_array<std::string_view>({
    "check_fitted", "check_noaa", "check_stored", "check_tc", "check_years",
});
inline constexpr auto kRainfallDataNames = std::to_array<std::string_view>({
    "rainfall_file", "rainfall_kind", "rainfall_name",
});
inline constexpr auto kRenumberNames = std::to_array<std::string_view>({
    "newpipenumber", "thispipenumber",
});
inline constexpr auto kSizingNames = std::to_array<std::string_view>({
    "max_full", "size_scope",
});
inline constexpr auto kSizePickerNames = std::to_array<std::string_view>({
    "Epipelist", "EpipelistM", "PA_C_E_list", "PA_C_M_list", "PA_Cmp1_E_list", "PA_Cmp1_M_list",
    "PA_Cmp2_E_list", "PA_Cmp2_M_list", "PA_Cmp3_E_list", "PA_Cmp3_M_list", "pacancel",
    "PAcmp1Mselect", "PAcmp1select", "PAcmp2select", "PAcmp3Mselect", "PAcmp3select", "PAselect",
    "pscancel", "pscancelM", "Pselect", "PselectM",
});
// clang-format on

inline constexpr Window kMain{"main", kMainNames};
inline constexpr Window kPipe{"pipe", kPipeNames};
inline constexpr Window kPipeEnergy{"pipe energy", kPipeEnergyNames};
inline constexpr Window kEnergyDissipation{"outlet protection", kEnergyDissipationNames};
inline constexpr Window kTimeOfConcentration{"time of concentration", kTimeOfConcentrationNames};
inline constexpr Window kDrainageArea{"drainage area", kDrainageAreaNames};
inline constexpr Window kHgl{"grade line", kHglNames};
inline constexpr Window kPlan{"network plan", kPlanNames};
inline constexpr Window kProfile{"profile", kProfileNames};
inline constexpr Window kSubmittal{"submittal", kSubmittalNames};
inline constexpr Window kPipeGrid{"pipe grid", kPipeGridNames};
inline constexpr Window kProjectConversion{"project conversion", kProjectConversionNames};
inline constexpr Window kProjectDetails{"project details", kProjectDetailsNames};
inline constexpr Window kRainfallCheck{"rainfall check", kRainfallCheckNames};
inline constexpr Window kRainfallData{"rainfall data", kRainfallDataNames};
inline constexpr Window kRenumber{"renumber", kRenumberNames};
inline constexpr Window kSizePicker{"size picker", kSizePickerNames};
inline constexpr Window kSizing{"size pipes", kSizingNames};

inline constexpr auto kWindows = std::to_array<const Window*>({
    &kMain,
    &kPipe,
    &kPipeEnergy,
    &kEnergyDissipation,
    &kTimeOfConcentration,
    &kDrainageArea,
    &kHgl,
    &kPlan,
    &kProfile,
    &kSubmittal,
    &kPipeGrid,
    &kProjectConversion,
    &kProjectDetails,
    &kRainfallCheck,
    &kRainfallData,
    &kRenumber,
    &kSizePicker,
    &kSizing,
});

// The list's own spelling of `name` (which must match it exactly), or "".
constexpr std::string_view listed(std::string_view name) {
    for (const Window* window : kWindows) {
        for (const std::string_view own : window->names) {
            if (own == name) return own;
        }
    }
    return {};
}

}  // namespace pelvane::forms::field_names
