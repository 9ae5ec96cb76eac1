set(READER_PURE_SOURCES protocol.cpp transfer_errors.cpp turn_name.cpp)
set(READER_WIN32_SOURCES hid_api.cpp reader_link.cpp report_exchange.cpp run_exchange.cpp
    bounded_wait.cpp reader_turn.cpp)
