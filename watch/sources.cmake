set(WATCH_PURE_SOURCES watch_decisions.cpp watch_texts.cpp)
set(WATCH_WIN32_SOURCES device_notices.cpp watch_loop.cpp event_log.cpp installed_profile.cpp
                        watch_service.cpp service_status.cpp)
