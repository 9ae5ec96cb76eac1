set(CLI_PURE_SOURCES options.cpp exit_codes.cpp listing.cpp failure_text.cpp swipe_output.cpp shown_console.cpp)
set(CLI_WIN32_SOURCES cli_run.cpp reader_tasks.cpp swipe_command.cpp swipe_input.cpp watch_command.cpp)
