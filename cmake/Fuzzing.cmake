# A fuzz build instruments everything that a fuzz target reaches, the shared library included, for
# coverage and with the sanitizers; the fuzz targets add libFuzzer's own main.
include(CheckCXXSourceCompiles)
set(CMAKE_REQUIRED_FLAGS -fsanitize=fuzzer)
check_cxx_source_compiles([[
#include <cstddef>
#include <cstdint>
extern "C" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }
]] VELTRO_HAS_LIBFUZZER)
unset(CMAKE_REQUIRED_FLAGS)
if(VELTRO_HAS_LIBFUZZER)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
else()
  message(STATUS "${CMAKE_CXX_COMPILER_ID} cannot build libFuzzer targets: no fuzzing")
endif()
