# Helpers shared by every folder.

# lumivox_glob_sources(<var> <folder>...): the .cpp/.h/.ui/.qrc files of the folders
# (not recursive), so a folder's files join its library without editing CMake.
function(lumivox_glob_sources var)
  set(result)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS
      "${dir}/*.cpp" "${dir}/*.h" "${dir}/*.ui" "${dir}/*.qrc")
    list(APPEND result ${found})
  endforeach()
  set(${var} ${result} PARENT_SCOPE)
endfunction()

# lumivox_autogen_tracks_sources(<target> <files>...)
# With Ninja, moc runs again only when a file it saw before changes, so a header
# added later (picked up by the glob) would never be moc'ed in an existing build
# folder. When a target's file list changes, its moc timestamp is removed, which
# makes the next build run moc over the whole target again.
function(lumivox_autogen_tracks_sources target)
  list(SORT ARGN)
  string(REPLACE ";" "\n" listing "${ARGN}")
  set(stamp "${CMAKE_CURRENT_BINARY_DIR}/${target}_sources.txt")
  set(previous "")
  if(EXISTS "${stamp}")
    file(READ "${stamp}" previous)
  endif()
  if(NOT previous STREQUAL "${listing}\n")
    file(WRITE "${stamp}" "${listing}\n")
    file(REMOVE "${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/timestamp")
  endif()
endfunction()

# lumivox_unity_build(<target>)
# A library's sources are compiled in batches: each source parses much the same
# Qt and project headers, and on two cores the parsing is most of the build.
# (The sources must stay fit for it: no two files of a library may define the
# same name in an anonymous namespace or as static.)
function(lumivox_unity_build target)
  if(LUMIVOX_UNITY_BUILD)
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
  endif()
endfunction()

# lumivox_test_pch(<target> <libs>...)
# Every test parses the whole of QtCore through <QtTest>. The tests take it
# precompiled instead, built once per build folder for each set of Qt modules
# the tests link: what <QtTest> declares depends on them (QT_GUI_LIB,
# QT_WIDGETS_LIB, QT_NETWORK_LIB), so the core, engine and window tests have
# one each. The header's owner links just lumivox_settings and those modules,
# which gives it the tests' compile options; GCC checks the rest and says so
# (-Winvalid-pch) when a test cannot use it. Loading the header costs a good
# part of what it saves (the kernel copies most of its pages for each compiler),
# so it holds <QtTest> only (QtWidgets as well did not pay), with the test
# registration macros of tests/runner/TestMain.h, and a test's near-empty
# AUTOMOC mocs_compilation.cpp does without it. Without precompiled headers the
# registration header is included first in each test source.
set(LUMIVOX_TEST_MAIN_HEADER "${CMAKE_CURRENT_LIST_DIR}/../tests/runner/TestMain.h")
get_filename_component(LUMIVOX_TEST_MAIN_HEADER "${LUMIVOX_TEST_MAIN_HEADER}" ABSOLUTE)
function(lumivox_test_pch target)
  get_filename_component(runner "${LUMIVOX_TEST_MAIN_HEADER}" DIRECTORY)
  target_include_directories(${target} PRIVATE "${runner}")
  if(NOT LUMIVOX_TEST_PCH)
    target_compile_options(${target} PRIVATE "SHELL:-include \"${LUMIVOX_TEST_MAIN_HEADER}\"")
    return()
  endif()
  # The Qt modules among the target's usage requirements.
  set(todo Qt5::Test ${ARGN})
  set(seen)
  set(modules)
  while(todo)
    list(POP_FRONT todo t)
    if(t IN_LIST seen OR NOT TARGET "${t}")
      continue()
    endif()
    list(APPEND seen "${t}")
    if(t MATCHES "^Qt5::(.+)$")
      list(APPEND modules "${CMAKE_MATCH_1}")
    endif()
    get_target_property(deps "${t}" INTERFACE_LINK_LIBRARIES)
    if(deps)
      list(APPEND todo ${deps})
    endif()
  endwhile()
  list(SORT modules)
  string(REPLACE ";" "_" owner "lumivox_test_pch_${modules}")
  if(NOT TARGET ${owner})
    set(src "${PROJECT_BINARY_DIR}/lumivox_test_pch.cpp")
    if(NOT EXISTS "${src}")
      file(WRITE "${src}" "// Carries the tests' precompiled header.\n")
    endif()
    add_library(${owner} OBJECT "${src}")
    list(TRANSFORM modules PREPEND "Qt5::")
    target_link_libraries(${owner} PRIVATE lumivox_settings ${modules})
    target_include_directories(${owner} PRIVATE "${runner}")
    set_target_properties(${owner} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
    target_precompile_headers(${owner} PRIVATE "${LUMIVOX_TEST_MAIN_HEADER}")
  endif()
  target_precompile_headers(${target} REUSE_FROM ${owner})
  set_source_files_properties("${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/mocs_compilation.cpp"
    PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
endfunction()

# lumivox_add_test_program(<target> SOURCES <files>... LIBS <targets>...)
# An executable of QtTest tests, built with the tests' precompiled header.
function(lumivox_add_test_program target)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} ${T_SOURCES})
  lumivox_autogen_tracks_sources(${target} ${T_SOURCES})
  target_link_libraries(${target} PRIVATE lumivox_settings Qt5::Test ${T_LIBS})
  # Helpers for tests that start their own executable again.
  target_include_directories(${target} PRIVATE "${PROJECT_SOURCE_DIR}/tests/runner")
  lumivox_test_pch(${target} ${T_LIBS})
endfunction()

# lumivox_add_test(<name> <target> <source> [<argument>])
# Registers test <name> with CTest: <target> run with <argument>, headless; one
# named in LUMIVOX_PRIVATE_NETWORK_TESTS runs in a private network namespace.
# lumivox_test_target() and lumivox_test_definitions() find the test's target
# and source again.
function(lumivox_add_test name target source)
  set_property(GLOBAL PROPERTY LUMIVOX_TEST_TARGET_${name} ${target})
  set_property(GLOBAL PROPERTY LUMIVOX_TEST_SOURCE_${name} "${source}")
  if(name IN_LIST LUMIVOX_PRIVATE_NETWORK_TESTS)
    # Sends to addresses off this machine: only inside a private network namespace.
    add_test(NAME ${name} COMMAND "${PROJECT_SOURCE_DIR}/scripts/in-private-network.sh" $<TARGET_FILE:${target}> ${ARGN})
    set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
  else()
    add_test(NAME ${name} COMMAND ${target} ${ARGN})
  endif()
  set(env "LANG=C.UTF-8" "LC_ALL=C.UTF-8")
  if(LUMIVOX_TEST_QPA)
    list(APPEND env "QT_QPA_PLATFORM=${LUMIVOX_TEST_QPA}")
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
endfunction()

# lumivox_test_target(<var> <test>): the executable target that runs <test>
# (empty when there is no such test in this build).
function(lumivox_test_target var name)
  get_property(target GLOBAL PROPERTY LUMIVOX_TEST_TARGET_${name})
  set(${var} ${target} PARENT_SCOPE)
endfunction()

# lumivox_test_definitions(<test> <definitions>...): compile definitions for
# the test's own source only (its executable holds other tests too).
function(lumivox_test_definitions name)
  get_property(source GLOBAL PROPERTY LUMIVOX_TEST_SOURCE_${name})
  if(source)
    set_property(SOURCE "${source}" APPEND PROPERTY COMPILE_DEFINITIONS ${ARGN})
  endif()
endfunction()

# lumivox_add_test_folder(<folder> LIBS <targets>...)
# Every tst_*.cpp in the folder is a test linking LIBS. The tests of a folder
# share one executable, lumivox_tests_<folder>, which runs the test named by its
# first argument (tests/runner); CTest still runs each test in a process of its
# own, under the file's name. A test that defines its own main() is an
# executable of its own. The folder's helper files (not named tst_*) are
# compiled and moc'ed once, as an object library whose objects the folder's
# executables take in whole (so a helper's resources and static registrations
# are always there).
function(lumivox_add_test_folder dir)
  cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS "${dir}/tst_*.cpp")
  file(GLOB helpers CONFIGURE_DEPENDS "${dir}/*.cpp" "${dir}/*.h" "${dir}/*.qrc")
  list(FILTER helpers EXCLUDE REGEX "/tst_[^/]*\\.cpp$")
  get_filename_component(folder "${dir}" NAME)
  set(helper_lib)
  if(helpers)
    set(helper_lib "lumivox_testhelpers_${folder}")
    add_library(${helper_lib} OBJECT ${helpers})
    lumivox_autogen_tracks_sources(${helper_lib} ${helpers})
    lumivox_unity_build(${helper_lib})
    target_include_directories(${helper_lib} PUBLIC "${dir}")
    target_link_libraries(${helper_lib} PUBLIC lumivox_settings Qt5::Test ${T_LIBS})
  endif()
  set(shared)
  foreach(src IN LISTS tests)
    get_filename_component(name "${src}" NAME_WE)
    file(STRINGS "${src}" own_main REGEX "^[ \t]*int[ \t]+main[ \t]*\\(")
    if(own_main)
      lumivox_add_test_program(${name} SOURCES "${src}" LIBS ${T_LIBS} ${helper_lib})
      target_include_directories(${name} PRIVATE "${dir}")
      lumivox_add_test(${name} ${name} "${src}")
    else()
      list(APPEND shared "${src}")
    endif()
  endforeach()
  if(shared)
    set(target "lumivox_tests_${folder}")
    lumivox_add_test_program(${target} SOURCES ${shared} LIBS ${T_LIBS} ${helper_lib} lumivox_testrunner)
    target_include_directories(${target} PRIVATE "${dir}")
    lumivox_check_test_symbols(${target})
    foreach(src IN LISTS shared)
      get_filename_component(name "${src}" NAME_WE)
      lumivox_add_test(${name} ${target} "${src}" ${name})
    endforeach()
  endif()
endfunction()

# lumivox_check_test_symbols(<target>): after each link, fails the build when
# two test files of the executable define the same name (see the script).
function(lumivox_check_test_symbols target)
  find_package(Python3 COMPONENTS Interpreter QUIET)
  if(NOT Python3_Interpreter_FOUND)
    return()
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND "${Python3_EXECUTABLE}" "${PROJECT_SOURCE_DIR}/scripts/check-test-symbols.py" "${PROJECT_SOURCE_DIR}"
            "$<TARGET_OBJECTS:${target}>"
    COMMAND_EXPAND_LISTS VERBATIM)
endfunction()
