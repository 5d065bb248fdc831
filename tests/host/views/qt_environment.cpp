#include "tests/host/views/gui_test_support.h"

namespace {
[[maybe_unused]] const auto* const kQtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);
}
