# Windows flavour: the 32-bit GUI program and the test programs that run under Wine.
add_compile_definitions(UNICODE _UNICODE STRICT WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601
                        WINVER=0x0601)
add_compile_options(-O2)
set(WIN_LIBS setupapi hid comctl32 gdi32 user32 shell32 advapi32 kernel32)
set(STATIC_LINK -static -static-libgcc -static-libstdc++)

set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Everything but the entry point, so that test programs link the same code.
add_library(core STATIC ${PURE_SOURCES} ${WIN32_SOURCES})
target_include_directories(core PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(core PRIVATE ${WARNINGS})
target_link_libraries(core PUBLIC ${WIN_LIBS})

set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001 -I${CMAKE_SOURCE_DIR}/res")
set(RESOURCES ${CMAKE_SOURCE_DIR}/res/app.rc)

add_executable(zp350tool WIN32 ${CMAKE_SOURCE_DIR}/app/main.cpp ${RESOURCES})
target_compile_options(zp350tool PRIVATE ${WARNINGS})
target_link_libraries(zp350tool PRIVATE core)
target_link_options(zp350tool PRIVATE ${STATIC_LINK} -mwindows -s)

# One program per folder under tests/win32; each gets the program's resources.
file(GLOB WIN_TEST_DIRS LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tests/win32/*)
file(GLOB WIN_TEST_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/support/*.cpp)
list(FILTER WIN_TEST_SUPPORT EXCLUDE REGEX "/test_main\\.cpp$")
set(WIN_TEST_MAIN ${CMAKE_SOURCE_DIR}/tests/win32/support/test_main.cpp)
foreach(dir IN LISTS WIN_TEST_DIRS)
  get_filename_component(group ${dir} NAME)
  if(NOT IS_DIRECTORY ${dir} OR group STREQUAL "support")
    continue()
  endif()
  file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(name win32_${group}_tests)
  add_executable(${name} ${srcs} ${WIN_TEST_SUPPORT} ${WIN_TEST_MAIN} ${RESOURCES})
  target_compile_options(${name} PRIVATE ${WARNINGS})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/win32/support)
  target_link_libraries(${name} PRIVATE core gtest)
  target_link_options(${name} PRIVATE ${STATIC_LINK})
  add_test(NAME ${name} COMMAND ${name})
endforeach()

file(GLOB BENCHES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/bench/win32_*.cpp)
foreach(src IN LISTS BENCHES)
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src} ${WIN_TEST_SUPPORT} ${RESOURCES})
  target_compile_options(${name} PRIVATE ${WARNINGS})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/win32/support)
  target_link_libraries(${name} PRIVATE core)
  target_link_options(${name} PRIVATE ${STATIC_LINK})
endforeach()
include(${CMAKE_SOURCE_DIR}/cmake/e2e.cmake)
