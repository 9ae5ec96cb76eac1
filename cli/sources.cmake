set(CLI_PURE_SOURCES options.cpp exit_codes.cpp listing.cpp failure_text.cpp)
set(CLI_WIN32_SOURCES cli_run.cpp reader_tasks.cpp)
