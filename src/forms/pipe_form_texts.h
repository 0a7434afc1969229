#pragma once
// The pipe window's own texts: its messages, list items, captions and the names of
// its commands, frames and status panels, each written once.

#include <array>
#include <string_view>

#include "forms/field.h"

namespace pelvane::forms::pipe_form_texts {

// Messages of the record.
inline constexpr const char* kBlankNumberOnSave =
    "pipe number can't be blank.  Please enter valid unique pipe Number";
inline constexpr const char* kNotSolved =
    "Data has changed! Please 'Solve' pipe Analysis before saving";
// After saving an edited pipe that another pipe lists, the notice begins with the
// network rules' kUsedAsPreviousHead and that pipe, then this and the pipe again.
inline constexpr const char* kReviewPipe =
    "Please review the design, solve & save the results for Pipe - ";
// The network rules' own refusals (number, structures, previous pipes) are in
// pipe_rules.h.
inline constexpr const char* kElevations = "Pipe El. OUT must be less than Pipe El.IN!";

// Questions of the discharge fields.
inline constexpr const char* kClearComputedTc = "Do you want to clear Computed Tc Values? Y/N";
inline constexpr const char* kClearComputedValues =
    "Do you want to clear previously Computed Values? Y/N";

// Screen modes shown in `screenmode`.
inline constexpr std::string_view kView = "VIEW";
inline constexpr std::string_view kAdd = "ADD";
inline constexpr std::string_view kEdit = "EDIT";

// The grid's request (`pipe form mode`).
inline constexpr std::string_view kAddRequest = "add";
inline constexpr std::string_view kEditRequest = "edit";
inline constexpr std::string_view kViewRequest = "view";

// Lists.
inline constexpr std::string_view kInlet = "Inlet";
inline constexpr std::array<std::string_view, 6> kNodeTypes{
    "Inlet", "Man Hole", "Junction Box", "End Section", "End Wall", "Other"};
inline constexpr std::array<std::string_view, 2> kOffsetLocations{"RIGHT", "LEFT"};
inline constexpr std::array<std::string_view, 2> kShaping{"YES", "NO"};

// Discharge source (`dischargeval`) and the captions of its two options.
inline constexpr std::string_view kInputSource = "INP";
inline constexpr std::string_view kComputeSource = "CRM";
inline constexpr const char* kInputDischarge = "Input Discharge";      // structure_input1
inline constexpr const char* kComputeDischarge = "Compute Discharge";  // structure_compute1
inline constexpr const char* kComputeTc = "COMPUTE Tc";                // Check_ComputeTc
inline constexpr const char* kComputeIntensity = "Compute Intensity";  // cmd_accIntensity
// PTCOPTIONSTR of a Tc that was not computed in the Tc window.
inline constexpr std::string_view kNoTcOptions = "0,0,0,0,0";

inline constexpr const char* kRimCaption = "Rim Elev. / Flow Line Elev.";

// Commands, named as their menu items; the toolbar buttons follow them.
inline constexpr FieldName kAddCommand = "mnuAddpipe";
inline constexpr FieldName kEditCommand = "mnuEditpipe";
inline constexpr FieldName kSaveCommand = "mnuSavepipe";
inline constexpr FieldName kSolveCommand = "cmdpipesolve";
inline constexpr FieldName kExitCommand = "mnuExitPipe";
// The toolbar button shown pressed: "1" (Add), "3" (Edit) or "" (none).
inline constexpr FieldName kPressedButton = "pressed_button";

// Frames, enabled together by the screen mode and the discharge source.
inline constexpr FieldName kNodeInFrame = "fra_nodein";
inline constexpr FieldName kNodeOutFrame = "fra_nodeout";
inline constexpr FieldName kPipeFrame = "fra_pipe";
inline constexpr FieldName kSectionFrame = "fra_section";
inline constexpr FieldName kSourceFrame = "fra_source";
inline constexpr FieldName kStructureFrame = "fra_structure";
inline constexpr FieldName kRainfallFrame = "fra_rainfall";
inline constexpr FieldName kPreviousFrame = "fra_previous";
inline constexpr FieldName kAccumulationFrame = "fra_accumulation";
inline constexpr FieldName kLateralFrame = "fra_lateral";
inline constexpr FieldName kSolveFrame = "fra_solve";

// Status bar panels and the pipe number caption.
inline constexpr FieldName kStatus = "lblStatus";
inline constexpr FieldName kProjectPanel = "status_project";
inline constexpr FieldName kSectionPanel = "status_section";
inline constexpr FieldName kUnitsPanel = "status_units";

// Unit captions (English, metric).
inline constexpr FieldName kLengthUnit = "unit_length";        // "ft", "m"
inline constexpr FieldName kSlopeUnit = "unit_slope";          // "ft/ft", "m/m"
inline constexpr FieldName kSizeUnit = "unit_size";            // "in", "mm"
inline constexpr FieldName kDischargeUnit = "unit_discharge";  // "cfs", "cms"
inline constexpr FieldName kVelocityUnit = "unit_velocity";    // "ft/sec", "m/sec"
inline constexpr FieldName kAreaUnit = "unit_area";            // "Acres", "Ha"
inline constexpr FieldName kFlowAreaUnit = "unit_flow_area";   // "sqft", "sqm"
inline constexpr FieldName kIntensityUnit = "unit_intensity";  // "in/hr", "mm/hr"

// Tool tip of the diameter field: Min. 12 and the inch sign.
inline constexpr std::string_view kDiameterToolTip = "Min. 12\"";

// The picture window explaining the deflection angle at the lower end of a pipe.
inline constexpr std::string_view kDeflectionWindow = "frmskew";
inline constexpr std::string_view kDeflectionTitle = "PIPE DEFLECTION ANGLE (Lower End)";
// The picture, relative to the program folder.
inline constexpr std::string_view kDeflectionPicture = "help/images/pipe_deflection_angle.svg";

}  // namespace pelvane::forms::pipe_form_texts
