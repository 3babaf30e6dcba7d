# End-to-end tests run the real 64-bit .scr under wine64 on a virtual display.
# The 32-bit build cannot execute on these machines, so only the x86_64 build
# registers them.
if(TESSALANDER_WINDOWS AND CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64" AND BUILD_TESTING)
  set(TESSALANDER_WINE_TESTS ON)
else()
  set(TESSALANDER_WINE_TESTS OFF)
endif()
set(TESSALANDER_WINE_DIR "${CMAKE_BINARY_DIR}/wine-env")
# Two monitors side by side (testing/wine/env.sh --monitors): the secondary to
# the primary's right, or to its left. Each layout is a fixture of its own,
# with its own X server and prefix in TESSALANDER_WINE_DIR-monitors-LAYOUT.
set(TESSALANDER_WINE_MONITOR_LAYOUTS right left)

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

# tessalander_add_wine_test_on_second_display(NAME SCRIPT [ARGS...])
# The same on a second display and prefix, TESSALANDER_WINE_DIR-second, so
# that two Wine tests run at once: those of the configuration dialog, which
# have a prefix's settings to themselves there, and the one that watches a
# minute of saver cycles.
function(tessalander_add_wine_test_on_second_display name script)
  if(NOT TESSALANDER_WINE_TESTS)
    return()
  endif()
  add_test(NAME "${name}" COMMAND bash "${script}" ${ARGN})
  set_tests_properties("${name}" PROPERTIES
    FIXTURES_REQUIRED wine_second
    RESOURCE_LOCK wine_display_second
    TIMEOUT 240
    ENVIRONMENT "TEST_NAME=${name};TESS_WINE_ENV=${TESSALANDER_WINE_DIR}-second/env;TESS_SCR=$<TARGET_FILE:tessalander_scr>;TESS_BUILD=${CMAKE_BINARY_DIR};TESS_SOURCE=${PROJECT_SOURCE_DIR}")
endfunction()

# tessalander_add_wine_monitors_test(NAME LAYOUT SCRIPT [ARGS...])
# A test on two monitors; LAYOUT is right or left (where the secondary sits).
# The script sees the same variables as above, and TESS_MONITORS=LAYOUT.
function(tessalander_add_wine_monitors_test name layout script)
  if(NOT TESSALANDER_WINE_TESTS)
    return()
  endif()
  if(NOT layout IN_LIST TESSALANDER_WINE_MONITOR_LAYOUTS)
    message(FATAL_ERROR "${name}: monitor layout '${layout}' is not one of ${TESSALANDER_WINE_MONITOR_LAYOUTS}")
  endif()
  add_test(NAME "${name}" COMMAND bash "${script}" ${ARGN})
  set_tests_properties("${name}" PROPERTIES
    FIXTURES_REQUIRED "wine_monitors_${layout}"
    RESOURCE_LOCK "wine_monitors_${layout}"
    TIMEOUT 240
    ENVIRONMENT "TEST_NAME=${name};TESS_MONITORS=${layout};TESS_WINE_ENV=${TESSALANDER_WINE_DIR}-monitors-${layout}/env;TESS_SCR=$<TARGET_FILE:tessalander_scr>;TESS_BUILD=${CMAKE_BINARY_DIR};TESS_SOURCE=${PROJECT_SOURCE_DIR}")
endfunction()
