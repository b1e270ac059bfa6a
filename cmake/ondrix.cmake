# Shared helpers for the project's targets.
include(GoogleTest)

# ondrix_add_test(<name> [GUI] SOURCES ... LIBS ...)
# One GoogleTest executable; each test runs in its own process and its own
# temporary working directory (the shared test main makes it).
function(ondrix_add_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(T_GUI)
    target_link_libraries(${name} PRIVATE ondrix_test_main_gui)
  else()
    target_link_libraries(${name} PRIVATE ondrix_test_main)
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ONDRIX_TEST_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()

# ondrix_add_bench(<name> SOURCES ... LIBS ...)
function(ondrix_add_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark)
endfunction()
