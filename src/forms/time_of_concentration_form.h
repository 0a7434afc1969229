#pragma once
// The time of concentration window `frmVATc`: the inlet time of a pipe's upper
// structure as the sum of up to five flow-path segments (shallow concentrated
// flow, channel flow by Manning, overland flow after Seelye, pipe flow, channel
// flow after Kirpich), never less than 5 minutes. Its inputs are kept in three
// text buffers of the pipe window and restored when it opens again.
//
// Fields carry the control names: `flow_distance1` ... `txtsurface_factor`, the
// segment times `txtTc1` ... `txtTc5`, the check boxes `CheckTc1` ... `CheckTc5`
// ("1" ticked, "0" not), the total `computedPTc`, and the unit labels
// "length_unit", "slope_unit" and "velocity_unit".

#include <optional>
#include <string>
#include <string_view>

#include "forms/design_session.h"
#include "forms/form_model.h"
#include "forms/ui.h"
#include "store/project_context.h"

namespace pelvane::forms {

// What the pipe window hands in (the three buffers) and takes back after SAVE.
struct TcExchange {
    std::string PTcStr;
    std::string pTcStr2;
    std::string PTcoptionstr;
    std::string structure_Tc;
    std::string Check_ComputeTc;  // "1": the Tc came from this window; "0": the 5-minute default
};

namespace tc_texts {
inline constexpr const char* kCaption = "TIME OF CONCENTRATION";
inline constexpr const char* kFrame = "COMPUTING TIME OF CONCENTRATION";
inline constexpr const char* kShallowFrame = "Shallow Concentrated Flow";
inline constexpr const char* kChannelPipeFrame = "Channel/Pipe Flow";
inline constexpr const char* kChannelPart = "CHANNEL FLOW";
inline constexpr const char* kPipePart = "PIPE FLOW";
inline constexpr const char* kOverlandFrame = "Overland Flow (E.E. Seelye - VDOT Modified)";
inline constexpr const char* kKirpichFrame = "Channel Flow (Kirpich - VDOT Modified)";
inline constexpr const char* kKirpichNote =
    "Defined swales, ditches and other natural channels only";
inline constexpr const char* kFlowDistance = "FLOW DISTANCE";
inline constexpr const char* kUpperElevation = "UPPER ELEVATION";
inline constexpr const char* kLowerElevation = "LOWER ELEVATION";
inline constexpr const char* kSlope = "SLOPE";
inline constexpr const char* kLandCover = "LAND COVER";
inline constexpr const char* kInterceptCoeff = "INTERCEPT COEFF.";
inline constexpr const char* kManningsN = "MANNINGS - n";
inline constexpr const char* kDepthOfFlow = "DEPTH OF FLOW";
inline constexpr const char* kVelocity = "VELOCITY";
inline constexpr const char* kSoilType = "SOIL TYPE";
inline constexpr const char* kRationalC = "RATIONAL C VALUE";
inline constexpr const char* kPipeDia = "PIPE DIA";
inline constexpr const char* kSurfaceType = "SURFACE TYPE";
inline constexpr const char* kOutletHeight = "HEIGHT OF MOST REMOTE POINT ABOVE OUTLET";
inline constexpr const char* kTravelLength = "MAX. LENGHT OF TRAVEL";
inline constexpr const char* kSurfaceFactor = "SURFACE FACTOR";
inline constexpr const char* kTotalTc = "Total Tc";
inline constexpr const char* kMinutes = "min";
inline constexpr const char* kSave = "SAVE";      // cmdsavePTc
inline constexpr const char* kCancel = "CANCEL";  // cmdcancelPTc

inline constexpr const char* kErrorTitle = "Error";
inline constexpr const char* kFlowDistanceZero = "Compute Error!  Flow Distance is zero";
inline constexpr const char* kUpperBelowLower =
    "Compute Error!  Upper Elevation is lower than Lower Elevation";
inline constexpr const char* kDataValueZero = "Compute Error!  Data Value is zero";
inline constexpr const char* kDataError = "Data Error! May be Divide By Zero Error";
inline constexpr const char* kShallowLengthFeet = "Length Cannot Exceed 300 ft. for this method!!";
inline constexpr const char* kShallowLengthMetres =
    "Length Cannot Exceed 90 Meters for this method!!";
inline constexpr const char* kOverlandLength = "Maximum Flow Distance must be less than  200 ft!";
inline constexpr const char* kSlopeDivideByZero = "Divide by Zero Error! Check Flow Data again";
inline constexpr const char* kDefaultTcQuestion = "Computed Tc < 5 min, Default 5 Min will be used";
}  // namespace tc_texts

class TimeOfConcentrationForm : public FormModel {
  public:
    // Reads the project's units; opening sets the project's number format.
    TimeOfConcentrationForm(store::ProjectContext& context, DesignSession& session, Ui& ui);

    // Opens for the pipe window's upper structure: restores the buffers and ticks
    // the stored segments, which computes them again.
    void open(const TcExchange& pipe);

    // The person changed the check box of a segment (1 to 5), whose field already
    // holds the new value: runs the box's command.
    void check_box_changed(int segment);
    // A numeric field lost the focus.
    void field_left(FieldName name);
    // An item was chosen in `landuse_type`, `soil_type` or `surface_type` (the
    // field holds it): its value goes into the dependent field.
    void choose(FieldName list_field);

    void cmdsavePTc();
    void cmdcancelPTc();

    // The values for the pipe window after SAVE; nothing after CANCEL.
    const std::optional<TcExchange>& saved() const { return saved_; }

  private:
    struct Path;
    struct VelocityDrive;

    bool checked(int segment) const;
    // Sets a box from the window's own rules; the command runs when the value changes.
    void set_check(int segment, bool ticked);
    bool compute_segment(int segment);
    bool compute_shallow_flow();
    bool compute_driven_flow(const VelocityDrive& drive);
    bool compute_overland_flow();
    bool compute_kirpich();
    std::optional<Path> read_path(int segment);
    bool refuse(const char* text);
    void compute_total();

    void restore(const TcExchange& pipe);
    std::string option_buffer() const;

    void leave_shallow_distance();
    void leave_overland_distance();
    void leave_lower_elevation(int segment);
    void leave_drive_field(FieldName name);
    std::optional<double> input(FieldName name) const;
    const std::string& number_format() const { return session_.number_format; }

    store::ProjectContext& context_;
    DesignSession& session_;
    Ui& ui_;
    std::optional<TcExchange> saved_;
};

}  // namespace pelvane::forms
