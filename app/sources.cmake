set(APP_PURE_SOURCES start_arguments.cpp welcome_layout.cpp welcome_picture.cpp)
set(APP_WIN32_SOURCES setup_app.cpp splash_dialog.cpp welcome_pictures.cpp settings_dialog.cpp settings_access.cpp swipe_dialog.cpp reader_commands.cpp
                      profile_commands.cpp error_box.cpp)
