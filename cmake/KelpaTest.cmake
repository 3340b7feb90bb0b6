# kelpa_add_test(NAME [CORE] [PROGRAM] SOURCES ... LIBS ...)
# A QtTest executable registered with ctest. It reaches the headers of the
# test support, of the fixtures (test_fixtures) and of the libraries in LIBS.
# A CORE test checks rules without widgets: it links Qt Core and QtTest alone
# besides LIBS (test_support_core), so a use of Gui or Widgets in what it
# links fails its link, and it is built and run without the windows too
# (KELPA_WINDOWS=OFF). Any other test links the windows' support
# (test_support) and is built only with the windows.
# A PROGRAM test runs or looks beside the built kelpa: it is built after it
# and knows its path as KELPA_PROGRAM and its folder as KELPA_PROGRAM_FOLDER.
# It runs headless: HOME, XDG_DATA_HOME and XDG_RUNTIME_DIR point into a
# folder of the build tree that belongs to this test alone, so no test touches
# the real home or desktop.
# KELPA_TEST_MAIN (tests/support/TestMain.h) creates those folders and a
# temporary current directory before the first test function runs.
function(kelpa_add_test name)
    cmake_parse_arguments(ARG "CORE;PROGRAM" "" "SOURCES;LIBS" ${ARGN})
    if(ARG_CORE)
        set(support test_support_core)
    elseif(KELPA_WINDOWS)
        set(support test_support)
    else()
        return()
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${support} test_fixtures ${ARG_LIBS})
    if(ARG_PROGRAM)
        add_dependencies(${name} kelpa)
        target_compile_definitions(${name} PRIVATE KELPA_PROGRAM="$<TARGET_FILE:kelpa>"
                                   KELPA_PROGRAM_FOLDER="$<TARGET_FILE_DIR:kelpa>")
    endif()
    set(home ${CMAKE_BINARY_DIR}/testhome/${name})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;HOME=${home};XDG_DATA_HOME=${home}/.local/share;XDG_RUNTIME_DIR=${home}/runtime"
        TIMEOUT 180)
endfunction()
