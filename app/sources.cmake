set(APP_PURE_SOURCES ui_text.cpp form_rules.cpp form_record.cpp form_checks.cpp)
set(APP_WIN32_SOURCES setup_app.cpp splash_dialog.cpp settings_dialog.cpp reader_commands.cpp)
