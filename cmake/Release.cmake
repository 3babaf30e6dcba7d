# The release: both Windows builds of this source tree, each in its own
# binary directory; the installer for every Windows that carries them,
# Tessalander-<version>-setup.exe (release/installer/tessalander.nsi); and the
# archive Tessalander-<version>-windows.zip, which holds both .scr files, the
# installer, the README for Windows users, the licence and their checksums
# (release/pack.py).
#
#   cmake --workflow --preset release
include(ExternalProject)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
find_program(MAKENSIS makensis)
if(NOT MAKENSIS)
  message(FATAL_ERROR "makensis not found: the installer needs Debian's nsis (scripts/install-deps.sh installs it)")
endif()

set(release_zip "${CMAKE_BINARY_DIR}/Tessalander-${PROJECT_VERSION}-windows.zip")
set(release_scrs)
foreach(arch x86 x64)
  if(arch STREQUAL "x86")
    set(toolchain "${PROJECT_SOURCE_DIR}/cmake/mingw-i686.cmake")
  else()
    set(toolchain "${PROJECT_SOURCE_DIR}/cmake/mingw-x86_64.cmake")
  endif()
  set(binary_dir "${CMAKE_BINARY_DIR}/${arch}")
  ExternalProject_Add(scr_${arch}
    SOURCE_DIR "${PROJECT_SOURCE_DIR}"
    BINARY_DIR "${binary_dir}"
    CMAKE_GENERATOR "${CMAKE_GENERATOR}"
    CMAKE_ARGS
      "-DCMAKE_TOOLCHAIN_FILE=${toolchain}"
      -DCMAKE_BUILD_TYPE=MinSizeRel
      -DBUILD_TESTING=OFF
    BUILD_COMMAND "${CMAKE_COMMAND}" --build "${binary_dir}" --target tessalander_scr
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS "${binary_dir}/Tessalander.scr")
  list(APPEND release_scrs "${binary_dir}/Tessalander.scr")
endforeach()

# The installer. Its inputs: the licence with CRLF line ends (the licence
# page shows the file as it is) and the icon the .scr carries.
set(installer_dir "${CMAKE_BINARY_DIR}/installer")
set(installer_script "${PROJECT_SOURCE_DIR}/release/installer/tessalander.nsi")
set(installer_licence "${installer_dir}/LICENSE.txt")
set(installer_icon "${installer_dir}/tessalander.ico")
set(release_setup "${CMAKE_BINARY_DIR}/Tessalander-${PROJECT_VERSION}-setup.exe")
configure_file("${PROJECT_SOURCE_DIR}/LICENSE" "${installer_licence}" @ONLY NEWLINE_STYLE CRLF)
add_custom_command(OUTPUT "${installer_icon}"
  COMMAND Python3::Interpreter "${PROJECT_SOURCE_DIR}/resources/make_icon.py" "${installer_icon}"
  DEPENDS "${PROJECT_SOURCE_DIR}/resources/make_icon.py"
  COMMENT "Drawing the installer's icon"
  VERBATIM)
# The version resource wants four numbers.
set(version4 "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
foreach(part PATCH TWEAK)
  if("${PROJECT_VERSION_${part}}" STREQUAL "")
    string(APPEND version4 ".0")
  else()
    string(APPEND version4 ".${PROJECT_VERSION_${part}}")
  endif()
endforeach()

# tessalander_add_installer(OUTPUT LOG [DEFINES...]): makensis builds the
# script into OUTPUT, its full report in LOG; DEFINES are further -D options.
function(tessalander_add_installer output log)
  add_custom_command(OUTPUT "${output}" "${log}"
    COMMAND "${MAKENSIS}" -V4 -WX "-O${log}"
            "-DVERSION=${PROJECT_VERSION}" "-DVERSION4=${version4}"
            "-DSCR_X86=${CMAKE_BINARY_DIR}/x86/Tessalander.scr"
            "-DSCR_X64=${CMAKE_BINARY_DIR}/x64/Tessalander.scr"
            "-DICON=${installer_icon}" "-DLICENCE=${installer_licence}"
            "-DOUTFILE=${output}" ${ARGN} "${installer_script}"
    DEPENDS "${installer_script}" "${installer_icon}" "${installer_licence}" ${release_scrs} scr_x86 scr_x64
    COMMENT "Building ${output}"
    VERBATIM)
endfunction()

tessalander_add_installer("${release_setup}" "${installer_dir}/setup.log")
add_custom_target(release_setup ALL DEPENDS "${release_setup}")

add_custom_target(release_zip ALL
  COMMAND Python3::Interpreter "${PROJECT_SOURCE_DIR}/release/pack.py" "${release_zip}"
          "${PROJECT_VERSION}" "${PROJECT_SOURCE_DIR}" ${release_scrs} "${release_setup}"
  DEPENDS scr_x86 scr_x64 "${release_setup}"
  BYPRODUCTS "${release_zip}"
  COMMENT "Packing Tessalander-${PROJECT_VERSION}-windows.zip"
  VERBATIM)

# The archive's contents, and a second build of the same sources in another
# place giving the same bytes. The second build takes a minute or two of
# both cores, so it runs alone.
include(CTest)
if(BUILD_TESTING)
  add_test(NAME release.archive_contents
    COMMAND Python3::Interpreter "${PROJECT_SOURCE_DIR}/release/tests/check_archive.py"
            "${release_zip}" ${release_scrs} "${release_setup}")
  add_test(NAME release.reproducible
    COMMAND bash "${PROJECT_SOURCE_DIR}/release/tests/check_reproducible.sh"
            "${PROJECT_SOURCE_DIR}" "${CMAKE_BINARY_DIR}" "${release_zip}" "${release_setup}")
  set_tests_properties(release.reproducible PROPERTIES RUN_SERIAL TRUE TIMEOUT 600)

  # The installer under test: the same script and the same two .scr files,
  # built for amd64-unicode so that wine64 runs it; two more builds act as on
  # 32-bit Windows and as on Windows 95/98/ME.
  set(installer_tests plain windows32 windows9x)
  set(plain_defines -DTEST_BUILD)
  set(windows32_defines -DTEST_BUILD -DTEST_WINDOWS_32)
  set(windows9x_defines -DTEST_BUILD -DTEST_WINDOWS_9X)
  set(test_installers)
  foreach(build IN LISTS installer_tests)
    tessalander_add_installer("${installer_dir}/tessalander-${build}-test.exe"
      "${installer_dir}/${build}-test.log" ${${build}_defines})
    list(APPEND test_installers "${installer_dir}/tessalander-${build}-test.exe")
  endforeach()
  add_custom_target(installer_tests ALL DEPENDS ${test_installers})

  # The 32-bit installer cannot run here: checked as a file, and against the
  # 64-bit build of the same script.
  add_test(NAME release.installer
    COMMAND Python3::Interpreter "${PROJECT_SOURCE_DIR}/release/tests/check_installer.py"
            "${release_setup}" "${installer_dir}/setup.log"
            "${installer_dir}/tessalander-plain-test.exe" "${installer_dir}/plain-test.log"
            "${installer_icon}" "${PROJECT_VERSION}")

  # The end-to-end runs, on a display and in a fresh prefix of their own
  # (testing/wine/env.sh), with two of the test programs, built here by the
  # 64-bit toolchain: black_window keeps Wine's desktop up, launch gives a
  # program an exact command line (NSIS takes /D= unquoted).
  set(wine_programs "${CMAKE_BINARY_DIR}/x64-testing")
  ExternalProject_Add(wine_programs
    SOURCE_DIR "${PROJECT_SOURCE_DIR}"
    BINARY_DIR "${wine_programs}"
    CMAKE_GENERATOR "${CMAKE_GENERATOR}"
    CMAKE_ARGS
      "-DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-x86_64.cmake"
      -DCMAKE_BUILD_TYPE=MinSizeRel
    BUILD_COMMAND "${CMAKE_COMMAND}" --build "${wine_programs}" --target black_window launch
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS "${wine_programs}/testing/black_window.exe" "${wine_programs}/testing/launch.exe")
  set(wine_dir "${CMAKE_BINARY_DIR}/wine-env")
  add_test(NAME release.wine.start COMMAND "${PROJECT_SOURCE_DIR}/testing/wine/env.sh" start "${wine_dir}")
  set_tests_properties(release.wine.start PROPERTIES FIXTURES_SETUP release_wine TIMEOUT 180
    ENVIRONMENT "DESKTOP_KEEPER=${wine_programs}/testing/black_window.exe")
  add_test(NAME release.wine.stop COMMAND "${PROJECT_SOURCE_DIR}/testing/wine/env.sh" stop "${wine_dir}")
  set_tests_properties(release.wine.stop PROPERTIES FIXTURES_CLEANUP release_wine TIMEOUT 60)
  foreach(case per_user spaces_deleted_by_hand all_users windows32 windows32_all_users windows9x)
    set(name "e2e.release.installer.${case}")
    add_test(NAME "${name}" COMMAND bash "${PROJECT_SOURCE_DIR}/release/tests/e2e/installer.sh" "${case}")
    set_tests_properties("${name}" PROPERTIES
      FIXTURES_REQUIRED release_wine
      RESOURCE_LOCK release_wine
      TIMEOUT 240
      ENVIRONMENT "TEST_NAME=${name};TESS_WINE_ENV=${wine_dir}/env;TESS_BUILD=${CMAKE_BINARY_DIR};TESS_SOURCE=${PROJECT_SOURCE_DIR};TESS_INSTALLERS=${installer_dir};TESS_LAUNCH=${wine_programs}/testing/launch.exe;TESS_VERSION=${PROJECT_VERSION}")
  endforeach()
endif()
