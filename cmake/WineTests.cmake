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

# The body of the four below. FIXTURE and LOCK are the display's fixture and
# resource lock, ENV_DIR the folder of its env file (testing/wine/env.sh);
# MONITORS, when not empty, is the layout of two monitors the script is told,
# and COLOURS, when not empty, the display's colours (256).
function(_tessalander_add_wine_test name fixture lock env_dir monitors colours script)
  if(NOT TESSALANDER_WINE_TESTS)
    return()
  endif()
  if(monitors AND NOT monitors IN_LIST TESSALANDER_WINE_MONITOR_LAYOUTS)
    message(FATAL_ERROR "${name}: monitor layout '${monitors}' is not one of ${TESSALANDER_WINE_MONITOR_LAYOUTS}")
  endif()
  set(environment "TEST_NAME=${name}")
  if(monitors)
    list(APPEND environment "TESS_MONITORS=${monitors}")
  endif()
  if(colours)
    list(APPEND environment "TESS_COLOURS=${colours}")
  endif()
  list(APPEND environment "TESS_WINE_ENV=${env_dir}/env" "TESS_SCR=$<TARGET_FILE:tessalander_scr>"
    "TESS_BUILD=${CMAKE_BINARY_DIR}" "TESS_SOURCE=${PROJECT_SOURCE_DIR}")
  add_test(NAME "${name}" COMMAND bash "${script}" ${ARGN})
  set_tests_properties("${name}" PROPERTIES
    FIXTURES_REQUIRED "${fixture}"
    RESOURCE_LOCK "${lock}"
    TIMEOUT 240
    ENVIRONMENT "${environment}")
endfunction()

# tessalander_add_wine_test(NAME SCRIPT [ARGS...])
# A test of the real .scr on the shared display and prefix, TESSALANDER_WINE_DIR.
function(tessalander_add_wine_test name script)
  _tessalander_add_wine_test("${name}" wine wine_display "${TESSALANDER_WINE_DIR}" "" "" "${script}" ${ARGN})
endfunction()

# tessalander_add_wine_test_on_second_display(NAME SCRIPT [ARGS...])
# The same on a second display and prefix, TESSALANDER_WINE_DIR-second, so
# that two Wine tests run at once: those of the configuration dialog, which
# have a prefix's settings to themselves there, and the one that watches a
# minute of saver cycles.
function(tessalander_add_wine_test_on_second_display name script)
  _tessalander_add_wine_test("${name}" wine_second wine_display_second "${TESSALANDER_WINE_DIR}-second" "" ""
    "${script}" ${ARGN})
endfunction()

# tessalander_add_wine_monitors_test(NAME LAYOUT SCRIPT [ARGS...])
# A test on two monitors; LAYOUT is right or left (where the secondary sits).
# The script sees the same variables as above, and TESS_MONITORS=LAYOUT.
function(tessalander_add_wine_monitors_test name layout script)
  _tessalander_add_wine_test("${name}" "wine_monitors_${layout}" "wine_monitors_${layout}"
    "${TESSALANDER_WINE_DIR}-monitors-${layout}" "${layout}" "" "${script}" ${ARGN})
endfunction()

# tessalander_add_wine_256_colour_test(NAME SCRIPT [ARGS...])
# A test on a display of 256 colours (testing/wine/env.sh WxHx8), with its own
# X server and prefix in TESSALANDER_WINE_DIR-256; the script sees
# TESS_COLOURS=256.
function(tessalander_add_wine_256_colour_test name script)
  _tessalander_add_wine_test("${name}" wine_256 wine_256 "${TESSALANDER_WINE_DIR}-256" "" 256 "${script}"
    ${ARGN})
endfunction()
