set(FRAMEWORK_PURE_SOURCES grow_layout.cpp)
set(FRAMEWORK_WIN32_SOURCES application.cpp window.cpp dialog.cpp prompts.cpp common_controls.cpp
                            display.cpp caption_fit.cpp
                            paint.cpp)
