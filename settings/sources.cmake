set(SETTINGS_PURE_SOURCES
    ui_text.cpp
    control_names.cpp
    form_rules.cpp
    form_record.cpp
    form_checks.cpp
    window_text.cpp
    choices.cpp
    profile.cpp
    utf8.cpp
    quoting.cpp
    reason_text.cpp
    command_texts.cpp
    form_profile.cpp
    profile_texts.cpp
    long_path.cpp
    typed_character.cpp)
set(SETTINGS_WIN32_SOURCES profile_file.cpp system_reason.cpp)
