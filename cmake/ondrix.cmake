# Shared helpers for the project's targets.
include(GoogleTest)

# ondrix_copy_factory(<target> [<file>])
# Puts "factory.txt" (the offered instrument models) beside the target's executable.
function(ondrix_copy_factory target)
  set(file "${PROJECT_SOURCE_DIR}/resources/factory.txt")
  if(ARGC GREATER 1)
    set(file "${ARGV1}")
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different "${file}" "$<TARGET_FILE_DIR:${target}>/factory.txt"
    VERBATIM)
endfunction()

# ondrix_add_test(<name> [GUI] [NO_FACTORY] [FACTORY <file>] [OUTPUT_DIR <dir>] [MAIN <library>]
#                 SOURCES ... LIBS ... [LABELS ...] [ENVIRONMENT ...])
# One GoogleTest executable; each test runs in its own process and its own
# temporary working directory (the shared test main makes it). A default "factory.txt"
# lies beside it unless NO_FACTORY or another FACTORY is given; OUTPUT_DIR gives such a
# test a folder of its own. MAIN links another test main in place of the shared one
# (ondrix_umockdev_test_main for emulated USB devices); LABELS and ENVIRONMENT
# (VAR=value entries) go to every test of the executable.
function(ondrix_add_test name)
  cmake_parse_arguments(T "GUI;NO_FACTORY" "FACTORY;OUTPUT_DIR;MAIN" "SOURCES;LIBS;LABELS;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  # Test code is assertion tables, not hot loops: -O1 compiles it in a third of the time.
  target_compile_options(${name} PRIVATE -O1)
  if(T_OUTPUT_DIR)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}/${T_OUTPUT_DIR}")
  endif()
  if(T_FACTORY)
    ondrix_copy_factory(${name} "${T_FACTORY}")
  elseif(NOT T_NO_FACTORY)
    ondrix_copy_factory(${name})
  endif()
  if(T_MAIN)
    target_link_libraries(${name} PRIVATE ${T_MAIN})
  elseif(T_GUI)
    target_link_libraries(${name} PRIVATE ondrix_test_main_gui)
  else()
    target_link_libraries(${name} PRIVATE ondrix_test_main)
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
  set(props TIMEOUT 600)
  if(T_LABELS)
    list(APPEND props LABELS "${T_LABELS}")
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ${props})
  # gtest_discover_tests splits a list-valued property into separate arguments, so the
  # environment is set by a script that runs after the discovery, on its test list.
  set(env "QT_QPA_PLATFORM=offscreen" "ONDRIX_TEST_SOURCE_DIR=${PROJECT_SOURCE_DIR}" ${T_ENVIRONMENT})
  set(env_script "${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake")
  file(GENERATE OUTPUT "${env_script}" CONTENT
    "if(${name}_TESTS)\n  set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT [==[${env}]==])\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${env_script}")
endfunction()

# ondrix_add_bench(<name> SOURCES ... LIBS ...)
function(ondrix_add_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark)
endfunction()
