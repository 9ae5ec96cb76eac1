# End-to-end programs against the virtual card reader (tools/virtual-reader). They are built
# in every Windows tree but registered with no ctest: the test prefix has no reader. The
# script scripts/e2e.sh runs them in a prefix with the reader installed.
set(E2E_DIR ${CMAKE_SOURCE_DIR}/tests/e2e)
set(E2E_SUPPORT ${E2E_DIR}/virtual_reader.cpp)
set(E2E_INCLUDES ${E2E_DIR})

add_executable(e2e_reader_tests ${E2E_DIR}/reader_e2e_test.cpp ${E2E_DIR}/profile_e2e_test.cpp
                                ${E2E_SUPPORT} ${WIN_TEST_MAIN}
                                ${RESOURCES})
target_compile_options(e2e_reader_tests PRIVATE ${WARNINGS})
target_include_directories(e2e_reader_tests PRIVATE ${E2E_INCLUDES})
target_link_libraries(e2e_reader_tests PRIVATE win_test_support advapi32)
target_link_options(e2e_reader_tests PRIVATE ${STATIC_LINK})

# Prints where a control of the running program is on the screen, or its text, so that a
# script can click it with xdotool and read what it shows (make run uses it too).
add_executable(e2e_window_probe ${CMAKE_SOURCE_DIR}/tools/window-probe/window_probe.cpp)
target_compile_options(e2e_window_probe PRIVATE ${WARNINGS})
target_include_directories(e2e_window_probe PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(e2e_window_probe PRIVATE user32 advapi32)
target_link_options(e2e_window_probe PRIVATE ${STATIC_LINK})

# One command from click to final status: the simulated host and the virtual reader.
add_executable(e2e_command_bench ${CMAKE_SOURCE_DIR}/tests/bench/vreader_command_bench.cpp
                                 ${E2E_SUPPORT} ${RESOURCES})
target_compile_options(e2e_command_bench PRIVATE ${WARNINGS})
target_include_directories(e2e_command_bench PRIVATE ${E2E_INCLUDES})
target_link_libraries(e2e_command_bench PRIVATE win_test_support)
target_link_options(e2e_command_bench PRIVATE ${STATIC_LINK})

# The command-line program's commands against the virtual reader.
add_executable(e2e_cli_tests ${E2E_DIR}/cli_e2e_test.cpp ${E2E_DIR}/watch_e2e_test.cpp
                             ${E2E_DIR}/two_programs_e2e_test.cpp ${E2E_DIR}/virtual_reader.cpp
                             ${WIN_TEST_MAIN})
target_compile_options(e2e_cli_tests PRIVATE ${WARNINGS})
target_include_directories(e2e_cli_tests PRIVATE ${E2E_INCLUDES})
target_link_libraries(e2e_cli_tests PRIVATE win_test_support advapi32 psapi)
target_link_options(e2e_cli_tests PRIVATE ${STATIC_LINK})
