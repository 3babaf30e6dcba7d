# End-to-end tests run the real 64-bit .scr under wine64 on a virtual display.
# The 32-bit build cannot execute on these machines, so only the x86_64 build
# registers them.
if(TESSALANDER_WINDOWS AND CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64" AND BUILD_TESTING)
  set(TESSALANDER_WINE_TESTS ON)
else()
  set(TESSALANDER_WINE_TESTS OFF)
endif()
set(TESSALANDER_WINE_DIR "${CMAKE_BINARY_DIR}/wine-env")

# tessalander_add_wine_test(NAME SCRIPT [ARGS...])
function(tessalander_add_wine_test name script)
  if(NOT TESSALANDER_WINE_TESTS)
    return()
  endif()
  add_test(NAME "${name}" COMMAND bash "${script}" ${ARGN})
  set_tests_properties("${name}" PROPERTIES
    FIXTURES_REQUIRED wine
    RESOURCE_LOCK wine_display
    TIMEOUT 240
    ENVIRONMENT "TEST_NAME=${name};TESS_WINE_ENV=${TESSALANDER_WINE_DIR}/env;TESS_SCR=$<TARGET_FILE:tessalander_scr>;TESS_BUILD=${CMAKE_BINARY_DIR};TESS_SOURCE=${PROJECT_SOURCE_DIR}")
endfunction()
