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
endif()
