# tunewell_jack_test(NAME SOURCES... LIBS lib...): a test program whose tests
# start private JACK servers. Like tunewell_test, but ctest runs such tests
# one at a time: on a loaded two-core machine two dummy-driver servers at
# once miss cycles and time clients out.
function(tunewell_jack_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  pkg_check_modules(TUNEWELL_TEST_JACK REQUIRED IMPORTED_TARGET jack)
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} PkgConfig::TUNEWELL_TEST_JACK
    GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/..)
  tunewell_warnings(${name})
  target_compile_definitions(${name} PRIVATE
    TUNEWELL_BUILD_TEST_OUTPUT="${PROJECT_BINARY_DIR}/test-output")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES RESOURCE_LOCK tunewell_jack ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endfunction()
