# kelpa_add_test(NAME SOURCES ... LIBS ...)
# A QtTest executable registered with ctest. It reaches the headers of
# test_support, of the fixtures (test_fixtures) and of the libraries in LIBS.
# It runs headless: HOME, XDG_DATA_HOME and XDG_RUNTIME_DIR point into a
# folder of the build tree that belongs to this test alone, so no test touches
# the real home or desktop.
# KELPA_TEST_MAIN (tests/support/TestMain.h) creates those folders and a
# temporary current directory before the first test function runs.
function(kelpa_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test test_support test_fixtures ${ARG_LIBS})
    set(home ${CMAKE_BINARY_DIR}/testhome/${name})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;HOME=${home};XDG_DATA_HOME=${home}/.local/share;XDG_RUNTIME_DIR=${home}/runtime"
        TIMEOUT 180)
endfunction()
