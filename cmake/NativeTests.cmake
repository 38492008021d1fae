# Core unit tests, native, under ASan and UBSan; one ctest test per case.
if(VAROMIL_TESTS)
    file(GLOB_RECURSE core_test_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/core/*.cpp)
    add_executable(varomil_core_tests ${core_test_sources})
    target_link_libraries(varomil_core_tests PRIVATE varomil_core GTest::gtest_main GTest::gmock)
    target_compile_definitions(varomil_core_tests PRIVATE
        VAROMIL_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data")
    gtest_discover_tests(varomil_core_tests
        PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1;UBSAN_OPTIONS=print_stacktrace=1"
        DISCOVERY_TIMEOUT 60)

    # The layering of the folders: no subsystem includes the frame (app/), and no
    # core file includes a Win32 or shell header.
    add_test(NAME folder_layers COMMAND sh ${CMAKE_SOURCE_DIR}/scripts/check-layers
             WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
endif()

# Tools and test peers built natively (replay, terminal simulator, ...).
file(GLOB tool_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/*.cpp)
list(FILTER tool_sources EXCLUDE REGEX "/bench_vt\\.cpp$")
foreach(src ${tool_sources})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_link_libraries(${name} PRIVATE varomil_core)
endforeach()

# The interpreter benchmark measures against libvterm as a reference, so it is
# built only where libvterm is installed (Debian libvterm-dev).
find_package(PkgConfig QUIET)
if(PKG_CONFIG_FOUND)
    pkg_check_modules(VTERM QUIET IMPORTED_TARGET vterm)
endif()
if(VTERM_FOUND)
    add_executable(bench_vt ${CMAKE_SOURCE_DIR}/tools/bench_vt.cpp)
    target_link_libraries(bench_vt PRIVATE varomil_core PkgConfig::VTERM)
endif()

# Formatting is part of the build's contract.
find_program(CLANG_FORMAT clang-format)
if(CLANG_FORMAT AND VAROMIL_TESTS)
    add_test(NAME clang_format_clean
             COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-format ${CLANG_FORMAT}
             WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
endif()
