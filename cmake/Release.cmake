# The release archive: both Windows builds of this source tree, each in its
# own binary directory, packed with the README for Windows users, the licence
# and their checksums into Tessalander-<version>-windows.zip (release/pack.py).
#
#   cmake --workflow --preset release
include(ExternalProject)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

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

add_custom_target(release_zip ALL
  COMMAND Python3::Interpreter "${PROJECT_SOURCE_DIR}/release/pack.py" "${release_zip}"
          "${PROJECT_VERSION}" "${PROJECT_SOURCE_DIR}" ${release_scrs}
  DEPENDS scr_x86 scr_x64
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
            "${release_zip}" ${release_scrs})
  add_test(NAME release.reproducible
    COMMAND bash "${PROJECT_SOURCE_DIR}/release/tests/check_reproducible.sh"
            "${PROJECT_SOURCE_DIR}" "${CMAKE_BINARY_DIR}" "${release_zip}")
  set_tests_properties(release.reproducible PROPERTIES RUN_SERIAL TRUE TIMEOUT 600)
endif()
