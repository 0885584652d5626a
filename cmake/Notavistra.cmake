# Project-wide compile settings and the helpers that build one library per
# source folder and one test program per test folder.

set(NOTAVISTRA_ASSETS_DIR "${PROJECT_SOURCE_DIR}/assets")
# Where the library generator writes the libraries the program ships.
set(NOTAVISTRA_LIBRARY_DEFAULTS "${PROJECT_BINARY_DIR}/assets/defaults")

add_library(notavistra_options INTERFACE)
target_compile_options(notavistra_options INTERFACE -Wall -Wextra)
# GCC 12 reports std::string concatenation as an overlapping memcpy when
# optimising (a known false positive of its -Wrestrict); later GCCs do not.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(notavistra_options INTERFACE -Wno-restrict)
endif()
target_compile_definitions(notavistra_options INTERFACE
  NOTAVISTRA_ASSETS_DIR="${NOTAVISTRA_ASSETS_DIR}"
  QT_NO_KEYWORDS)
# Debug builds (the test build) check after every layout pass that began
# after page 0 or stopped early that a full pass leaves the same layout.
target_compile_definitions(notavistra_options INTERFACE $<$<CONFIG:Debug>:NOTAVISTRA_LAYOUT_CHECK>)
if(NOTAVISTRA_SANITIZE)
  target_compile_options(notavistra_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(notavistra_options INTERFACE -fsanitize=address,undefined)
endif()

# notavistra_library(<folder> [DEPS <targets>...])
# Builds every .cpp of the current source folder into the static library
# notavistra_<folder>. Only a library that links Qt runs Qt's moc.
function(notavistra_library folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
    "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  set(target notavistra_${folder})
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}/src")
  target_link_libraries(${target} PUBLIC notavistra_options ${ARG_DEPS})
  if(ARG_DEPS MATCHES "Qt6::|notavistra_platform_qt")
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
  endif()
endfunction()

# notavistra_tests(<folder> [DEPS <targets>...])
# Builds every .cpp of tests/<folder> into one GoogleTest program.
# The tests' fixtures are found from this absolute folder, never from
# __FILE__, which ccache's base folder makes relative to the build.
function(notavistra_fixture_folder target)
  target_compile_definitions(${target} PRIVATE NOTAVISTRA_TESTS_DIR="${PROJECT_SOURCE_DIR}/tests")
endfunction()

function(notavistra_tests folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
    "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  if(NOT sources)
    return()
  endif()
  set(target ${folder}_tests)
  add_executable(${target} ${sources})
  target_include_directories(${target} PRIVATE "${PROJECT_SOURCE_DIR}/tests")
  notavistra_fixture_folder(${target})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} notavistra_test_support
    GTest::gtest GTest::gmock)
  set_target_properties(${target} PROPERTIES AUTOMOC ON)
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    NO_PRETTY_VALUES
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
