set(CLI_PURE_SOURCES window_text.cpp choices.cpp profile.cpp options.cpp exit_codes.cpp listing.cpp
                     utf8.cpp quoting.cpp failure_text.cpp)
set(CLI_WIN32_SOURCES cli_run.cpp reader_tasks.cpp system_reason.cpp profile_file.cpp)
