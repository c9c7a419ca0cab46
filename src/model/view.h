#pragma once

namespace corvane::model {

// The four views of the window, chosen by its picture buttons.
enum class View { None, Agents, Delays, Trunks };

// The view's name as the window's procedures compare it: "None", "Agents",
// "Delays", "Trunks".
const char* ViewText(View view);

// Which control groups a view shows.
struct ViewGroups {
    bool opening = false;      // the opening label and the pressed Corvane picture
    bool staffTable = false;   // the staffing table and its heading
    bool delayTable = false;   // the delay table and its heading
    bool staffInputs = false;  // the four staffing fields and their Calculate button
    bool trunks = false;       // the trunk groups and their Calculate button
};
ViewGroups GroupsShownBy(View view);

// The staffing and delay views share the staffing inputs and run.
inline bool IsStaffingView(View view) { return view == View::Agents || view == View::Delays; }

}  // namespace corvane::model
