# Windows flavours (32-bit i686 and 64-bit x86_64, one per build tree): the GUI program and
# the test programs that run under Wine.
add_compile_definitions(UNICODE _UNICODE STRICT WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601
                        WINVER=0x0601)
add_compile_options(-O2)
# The same sources give the same bytes in any folder at any time: no build folder in the code
# (file names in assertions and debug records), no link time in the PE header.
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=
                    -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)
add_link_options(-Wl,--no-insert-timestamp)
set(WIN_LIBS setupapi hid comctl32 gdi32 user32 shell32 advapi32 kernel32)
set(STATIC_LINK -static -static-libgcc -static-libstdc++)
# What a user runs: stripped, its sections at page boundaries in the file as in memory, so
# that a loader can map them from the file as they stand; at the linker's 512 bytes, Wine's
# loader copies the sections in at every start (the 32-bit program's start came about 0.4 ms
# closer to an empty program's, for some 40 KB more on disk).
set(PROGRAM_LINK ${STATIC_LINK} -s -Wl,--file-alignment,4096)

# Everything but the entry point, so that test programs link the same code: the pure logic
# once, the Windows code twice. The programs link `core`; test programs link `core_counted`,
# the same sources built to count the handles that owners hold (framework/owned.h), so that
# tests find leaks while the programs keep no tally.
add_library(core_pure STATIC ${PURE_SOURCES})
target_include_directories(core_pure PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(core_pure PRIVATE ${WARNINGS})
foreach(lib core core_counted)
  add_library(${lib} STATIC ${WIN32_SOURCES})
  target_compile_options(${lib} PRIVATE ${WARNINGS})
  target_link_libraries(${lib} PUBLIC core_pure ${WIN_LIBS})
endforeach()
target_compile_definitions(core_counted PUBLIC ZP350_COUNT_OWNED_HANDLES)
target_sources(core_counted PRIVATE ${CMAKE_SOURCE_DIR}/tests/win32/support/owned_handle_tally.cpp)
target_include_directories(core_counted PUBLIC ${CMAKE_SOURCE_DIR}/tests/win32/support)

# The flavour shows in the program's file name, its manifest and its file properties.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(APP_NAME zp350tool64)
  set(CLI_NAME zp350cli64)
  set(MANIFEST_ARCH amd64)
  set(APP_FLAVOUR_TEXT "64-bit")
else()
  set(APP_NAME zp350tool32)
  set(CLI_NAME zp350cli32)
  set(MANIFEST_ARCH x86)
  set(APP_FLAVOUR_TEXT "32-bit")
endif()
set(APP_FILE_NAME ${APP_NAME}.exe)
string(REPLACE cli svc SVC_NAME ${CLI_NAME})
set(GENERATED ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/res/app.manifest.in ${GENERATED}/app.manifest @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/res/flavour.h.in ${GENERATED}/flavour.h @ONLY)

set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001 -I${CMAKE_SOURCE_DIR}/res -I${GENERATED}")
set(RESOURCES ${CMAKE_SOURCE_DIR}/res/app.rc)
set(CLI_RESOURCES ${CMAKE_SOURCE_DIR}/res/cli.rc)
file(GLOB RESOURCE_IMAGES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/images/*)
set_source_files_properties(${RESOURCES} ${CLI_RESOURCES} PROPERTIES OBJECT_DEPENDS
  "${GENERATED}/app.manifest;${GENERATED}/flavour.h;${CMAKE_SOURCE_DIR}/res/version.rc;${CMAKE_SOURCE_DIR}/res/resource.h;${RESOURCE_IMAGES}")

add_executable(${APP_NAME} WIN32 ${CMAKE_SOURCE_DIR}/app/main.cpp ${RESOURCES})
target_compile_options(${APP_NAME} PRIVATE ${WARNINGS})
target_link_libraries(${APP_NAME} PRIVATE core)
target_link_options(${APP_NAME} PRIVATE ${PROGRAM_LINK} -mwindows)

# The command-line companion: a console program of the same flavour, on the same code, with
# the same manifest and file properties but for its description and name.
add_executable(${CLI_NAME} ${CMAKE_SOURCE_DIR}/cli/main.cpp ${CLI_RESOURCES})
target_compile_options(${CLI_NAME} PRIVATE ${WARNINGS})
target_link_libraries(${CLI_NAME} PRIVATE core)
target_link_options(${CLI_NAME} PRIVATE ${PROGRAM_LINK} -municode)
# Its profile writing where the system refuses the bytes, from a shell (a file-size limit).
add_test(NAME cli_profile_write_tests
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/win32/package/profile_write_test.sh ${WINE_LOADER}
                 $<TARGET_FILE:${CLI_NAME}>)

# The reader set-up service: a console program of the same flavour on the same code, with the
# event log's message table (watch/messages.mc, compiled by windmc) in its resources.
string(REPLACE windres windmc WINDMC ${CMAKE_RC_COMPILER})
add_custom_command(OUTPUT ${GENERATED}/messages.rc ${GENERATED}/MSG00409.bin
                   COMMAND ${WINDMC} -r ${GENERATED} -h ${GENERATED} ${CMAKE_SOURCE_DIR}/watch/messages.mc
                   DEPENDS ${CMAKE_SOURCE_DIR}/watch/messages.mc)
set(SVC_RESOURCES ${CMAKE_SOURCE_DIR}/res/svc.rc)
set_source_files_properties(${SVC_RESOURCES} PROPERTIES OBJECT_DEPENDS
  "${GENERATED}/messages.rc;${GENERATED}/MSG00409.bin;${GENERATED}/app.manifest;${GENERATED}/flavour.h;${CMAKE_SOURCE_DIR}/res/version.rc")
add_executable(${SVC_NAME} ${CMAKE_SOURCE_DIR}/watch/service_main.cpp ${SVC_RESOURCES})
target_compile_options(${SVC_NAME} PRIVATE ${WARNINGS})
target_link_libraries(${SVC_NAME} PRIVATE core)
target_link_options(${SVC_NAME} PRIVATE ${PROGRAM_LINK} -municode)

# One program per folder under tests/win32; each gets the program's resources.
file(GLOB WIN_TEST_DIRS LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tests/win32/*)
file(GLOB WIN_TEST_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/support/*.cpp)
list(FILTER WIN_TEST_SUPPORT EXCLUDE REGEX "/(test_main|owned_handle_tally)\\.cpp$")
set(WIN_TEST_MAIN ${CMAKE_SOURCE_DIR}/tests/win32/support/test_main.cpp)
# Built once, linked into every test and benchmark program.
add_library(win_test_support STATIC ${WIN_TEST_SUPPORT})
target_compile_options(win_test_support PRIVATE ${WARNINGS})
target_include_directories(win_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests/win32/support)
target_link_libraries(win_test_support PUBLIC core_counted GTest::gtest)
foreach(dir IN LISTS WIN_TEST_DIRS)
  get_filename_component(group ${dir} NAME)
  if(NOT IS_DIRECTORY ${dir} OR group STREQUAL "support")
    continue()
  endif()
  file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
  # A test program may add resources of its own in its folder.
  file(GLOB test_resources CONFIGURE_DEPENDS ${dir}/*.rc)
  set(name win32_${group}_tests)
  add_executable(${name} ${srcs} ${test_resources} ${WIN_TEST_MAIN} ${RESOURCES})
  target_compile_options(${name} PRIVATE ${WARNINGS})
  target_include_directories(${name} PRIVATE ${dir})
  target_link_libraries(${name} PRIVATE win_test_support)
  target_link_options(${name} PRIVATE ${STATIC_LINK})
  add_test(NAME ${name} COMMAND ${name})
endforeach()

file(GLOB BENCHES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/bench/win32_*.cpp)
foreach(src IN LISTS BENCHES)
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_compile_options(${name} PRIVATE ${WARNINGS})
  target_include_directories(${name} PRIVATE ${GENERATED})
  target_link_libraries(${name} PRIVATE win_test_support)
  target_link_options(${name} PRIVATE ${STATIC_LINK})
endforeach()

# The start-up benchmark's yardstick: an empty dialog program, built as the real one is.
set(EMPTY_DIALOG ${CMAKE_SOURCE_DIR}/tests/bench/empty_dialog)
add_executable(bench_empty_dialog WIN32 ${EMPTY_DIALOG}/empty_dialog.cpp ${EMPTY_DIALOG}/empty_dialog.rc)
target_compile_options(bench_empty_dialog PRIVATE ${WARNINGS})
target_link_options(bench_empty_dialog PRIVATE ${PROGRAM_LINK} -mwindows)
add_dependencies(win32_startup_bench bench_empty_dialog ${APP_NAME})
# The swipe benchmark opens the program's own windows.
target_sources(win32_swipe_bench PRIVATE ${RESOURCES})

# The scaling test reads the names screen readers read, through oleacc.
target_link_libraries(win32_scaling_tests PRIVATE uuid oleacc oleaut32)

# The watcher's test reads the process's memory counters.
target_link_libraries(win32_watch_tests PRIVATE psapi)
add_dependencies(win32_watch_tests ${SVC_NAME})

# The package test reads the shipped program of its own flavour.
target_include_directories(win32_package_tests PRIVATE ${GENERATED})
target_link_libraries(win32_package_tests PRIVATE version)
add_dependencies(win32_package_tests ${APP_NAME} ${CLI_NAME} ${SVC_NAME})

include(${CMAKE_SOURCE_DIR}/cmake/e2e.cmake)
add_subdirectory(${CMAKE_SOURCE_DIR}/tools/virtual-reader ${CMAKE_BINARY_DIR}/virtual-reader)
