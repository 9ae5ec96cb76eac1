set(FRAMEWORK_PURE_SOURCES)
set(FRAMEWORK_WIN32_SOURCES application.cpp window.cpp dialog.cpp prompts.cpp common_controls.cpp
                            paint.cpp)
