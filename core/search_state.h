#pragma once
// The state of the main window's search: what the last or running search looked for,
// in which file, when it started and read its last line, and how many lines matched.
// The main window owns it; the information window is given a copy of it.
#include "core/date_time.h"

#include <cstdint>
#include <string>

namespace zentrel {

struct SearchState {
    std::string DataFile_Path;
    bool Search_Running = false;
    std::string Search_Text;
    DateTime Search_Start{};
    // The time of the last line read; the end time once the search has finished.
    DateTime Search_Last{};
    std::int32_t Match_Count = 0;
};

} // namespace zentrel
