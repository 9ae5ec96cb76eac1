set(WATCH_PURE_SOURCES watch_decisions.cpp watch_texts.cpp)
set(WATCH_WIN32_SOURCES device_notices.cpp watch_loop.cpp)
