# The Win32 shell: varomil.exe, and the GUI test program that drives the same
# windows in-process. Both link the shell library and the resources.
enable_language(RC)
# The manifest carries the version too: written from resources/version.h's numbers.
set(VAROMIL_VERSION_DOTTED ${PROJECT_VERSION}.0)
configure_file(${CMAKE_SOURCE_DIR}/resources/varomil.manifest.in
               ${CMAKE_BINARY_DIR}/resources/varomil.manifest @ONLY)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR} -I${CMAKE_SOURCE_DIR}/resources")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_BINARY_DIR}/resources")

add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
if(MINGW)
    add_compile_options(-Wall -Wextra)
    add_link_options(-static -static-libgcc -static-libstdc++)
endif()

set(entry_source ${CMAKE_SOURCE_DIR}/app/winmain_win.cpp)
list(REMOVE_ITEM shell_sources ${entry_source})
file(GLOB rc_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.rc)
# The resource compiler's includes are not scanned: name them so edits rebuild.
file(GLOB rc_inputs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.dlg
     ${CMAKE_SOURCE_DIR}/resources/*.h ${CMAKE_SOURCE_DIR}/resources/*.bmp
     ${CMAKE_SOURCE_DIR}/resources/*.ico)
list(APPEND rc_inputs ${CMAKE_BINARY_DIR}/resources/varomil.manifest)
set_source_files_properties(${rc_sources} PROPERTIES OBJECT_DEPENDS "${rc_inputs}")

add_library(varomil_shell STATIC ${shell_sources})
target_link_libraries(varomil_shell PUBLIC varomil_core comctl32 comdlg32 ws2_32 gdi32 user32
                                           shell32 ole32 oleacc oleaut32)

add_executable(varomil WIN32 ${entry_source} ${rc_sources})
target_link_libraries(varomil PRIVATE varomil_shell)
include(cmake/Installer.cmake)

if(VAROMIL_TESTS)
    # GUI tests: the real main window and dialogs, driven by control ids.
    file(GLOB gui_test_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/gui/*.cpp)
    add_executable(varomil_gui_tests ${gui_test_sources} ${rc_sources})
    target_link_libraries(varomil_gui_tests PRIVATE varomil_shell GTest::gtest GTest::gmock)
    # Long expectations live in files under tests/data, read relative to the source tree.
    target_compile_definitions(varomil_gui_tests PRIVATE VAROMIL_TEST_DATA="tests/data")
    add_test(NAME wine_gui_tests COMMAND varomil_gui_tests WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
    set_tests_properties(wine_gui_tests PROPERTIES TIMEOUT 600
        ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix")

    # End to end: the download through COM1 (a socat pty pair) and the RF link,
    # against the terminal simulator, a native program this tree cannot build: its
    # path is given when configuring (scripts/test passes the native tree's); the
    # test is skipped without it.
    set(VAROMIL_TERMINAL_SIM "" CACHE FILEPATH
        "Native terminal_sim for the end-to-end download test (empty: the test is skipped)")
    add_test(NAME download_e2e
             COMMAND sh ${CMAKE_SOURCE_DIR}/tests/e2e/download_e2e.sh "${VAROMIL_TERMINAL_SIM}"
                     $<TARGET_FILE:varomil_gui_tests>)
    # Both use the fixed download port 3000.
    set_tests_properties(download_e2e PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77
                         RESOURCE_LOCK download_port)
    set_tests_properties(wine_gui_tests PROPERTIES RESOURCE_LOCK download_port)

    # The command line: batch downloads to simulated terminals over RF, exit codes,
    # log lines; Export Summary against the native print_summary.
    add_test(NAME command_line_e2e
             COMMAND sh ${CMAKE_SOURCE_DIR}/tests/e2e/command_line_e2e.sh
                     ${CMAKE_SOURCE_DIR}/build/native ${CMAKE_BINARY_DIR})
    set_tests_properties(command_line_e2e PROPERTIES TIMEOUT 400 SKIP_RETURN_CODE 77
                         RESOURCE_LOCK download_port)

    # A site batch: a table of terminals over RF from several addresses at once,
    # strangers and a stalled terminal among them, and two COM ports at once.
    add_test(NAME site_e2e
             COMMAND sh ${CMAKE_SOURCE_DIR}/tests/e2e/site_e2e.sh
                     ${CMAKE_SOURCE_DIR}/build/native ${CMAKE_BINARY_DIR})
    set_tests_properties(site_e2e PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77
                         RESOURCE_LOCK download_port)

    # The Download to Many Terminals window against simulated terminals over RF:
    # a whole table served, and Stop during a transfer.
    add_test(NAME site_window_e2e
             COMMAND sh ${CMAKE_SOURCE_DIR}/tests/e2e/site_window_e2e.sh
                     ${CMAKE_SOURCE_DIR}/build/native $<TARGET_FILE:varomil_gui_tests>)
    set_tests_properties(site_window_e2e PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77
                         RESOURCE_LOCK download_port)

    # A real telnet daemon (socat in front of telnetd) as the host: the keys typed
    # after each command reach its shell.
    add_test(NAME telnetd_e2e
             COMMAND sh ${CMAKE_SOURCE_DIR}/tests/e2e/telnetd_e2e.sh ${CMAKE_BINARY_DIR})
    set_tests_properties(telnetd_e2e PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77)

    # The installer package: installed, used, upgraded and removed in a Wine prefix
    # of the test's own.
    add_test(NAME installer_e2e
             COMMAND sh ${CMAKE_SOURCE_DIR}/tests/e2e/installer_e2e.sh ${CMAKE_BINARY_DIR}
                     ${PROJECT_VERSION} -- ${VAROMIL_WIXL_COMMAND})
    set_tests_properties(installer_e2e PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77)

    # The same core tests, built for Windows: proves the core is portable (file
    # modes, integer widths) on the platform it ships on.
    file(GLOB_RECURSE core_test_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/core/*.cpp)
    add_executable(varomil_core_tests_win ${core_test_sources})
    target_link_libraries(varomil_core_tests_win PRIVATE varomil_core GTest::gtest_main GTest::gmock)
    target_compile_definitions(varomil_core_tests_win PRIVATE VAROMIL_TEST_DATA="tests/data")
    add_test(NAME wine_core_tests COMMAND varomil_core_tests_win
             WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
    set_tests_properties(wine_core_tests PROPERTIES TIMEOUT 600
        ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix")
endif()
