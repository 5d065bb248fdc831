# A protocol plug-in: a shared library named NAME.so (no "lib" prefix) that exports only
# Initialize and Configure, so that it neither imports from nor collides with the host.
# Shared objects resolve every symbol when they are linked, except in a fuzz build: clang keeps the
# sanitizers' run-time library in the executable.
if(VELTRO_FUZZ)
  set(VELTRO_NO_UNDEFINED "")
else()
  set(VELTRO_NO_UNDEFINED -Wl,--no-undefined)
endif()

function(veltro_add_plugin name)
  add_library(${name} MODULE ${ARGN})
  set_target_properties(${name} PROPERTIES
    PREFIX ""
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  target_link_libraries(${name} PRIVATE veltro_shared)
  # Hidden visibility still leaves the standard library's template instances exported; the
  # version script leaves only the entry points.
  set(exports ${PROJECT_SOURCE_DIR}/cmake/plugin_exports.map)
  target_link_options(${name} PRIVATE ${VELTRO_NO_UNDEFINED} -Wl,--version-script=${exports})
  set_target_properties(${name} PROPERTIES LINK_DEPENDS ${exports})
endfunction()

# A GoogleTest executable registered with CTest as one test.
function(veltro_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} veltro_test_support GTest::gtest GTest::gmock GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
endfunction()
