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

# lumivox_add_test(<name> SOURCES <files>... LIBS <targets>...)
# One QtTest executable, registered with CTest, run headless; one named in
# LUMIVOX_PRIVATE_NETWORK_TESTS runs in a private network namespace.
function(lumivox_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  lumivox_autogen_tracks_sources(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE lumivox_settings Qt5::Test ${T_LIBS})
  if(name IN_LIST LUMIVOX_PRIVATE_NETWORK_TESTS)
    # Sends to addresses off this machine: only inside a private network namespace.
    add_test(NAME ${name} COMMAND "${PROJECT_SOURCE_DIR}/scripts/in-private-network.sh" $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  set(env "LANG=C.UTF-8" "LC_ALL=C.UTF-8")
  if(LUMIVOX_TEST_QPA)
    list(APPEND env "QT_QPA_PLATFORM=${LUMIVOX_TEST_QPA}")
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
endfunction()

# lumivox_add_test_folder(<folder> LIBS <targets>...)
# Every tst_*.cpp in the folder becomes one test executable linking LIBS. The
# folder's helper files (not named tst_*) are compiled and moc'ed once, as an
# object library whose objects every test of the folder takes in whole (so a
# helper's resources and static registrations are always there).
function(lumivox_add_test_folder dir)
  cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS "${dir}/tst_*.cpp")
  file(GLOB helpers CONFIGURE_DEPENDS "${dir}/*.cpp" "${dir}/*.h" "${dir}/*.qrc")
  list(FILTER helpers EXCLUDE REGEX "/tst_[^/]*\\.cpp$")
  set(helper_lib)
  if(helpers)
    get_filename_component(folder "${dir}" NAME)
    set(helper_lib "lumivox_testhelpers_${folder}")
    add_library(${helper_lib} OBJECT ${helpers})
    lumivox_autogen_tracks_sources(${helper_lib} ${helpers})
    target_include_directories(${helper_lib} PUBLIC "${dir}")
    target_link_libraries(${helper_lib} PUBLIC lumivox_settings Qt5::Test ${T_LIBS})
  endif()
  foreach(src IN LISTS tests)
    get_filename_component(name "${src}" NAME_WE)
    lumivox_add_test(${name} SOURCES "${src}" LIBS ${T_LIBS} ${helper_lib})
    target_include_directories(${name} PRIVATE "${dir}")
  endforeach()
endfunction()
