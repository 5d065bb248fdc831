#pragma once
#include "resources/veltro/dialogs.h"

// What the program carries as resources of its own module, for the pages of its roots.
inline constexpr ResourceTable kProgramResources{dialog::kDialogs, {}, {}};
