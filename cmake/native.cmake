# Native flavour: the pure logic and its tests, host compiler, AddressSanitizer and UBSan.
set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
add_compile_options(-g -O1)

add_library(pure STATIC ${PURE_SOURCES})
target_include_directories(pure PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(pure PRIVATE ${WARNINGS} ${SANITIZE})
target_link_options(pure PUBLIC ${SANITIZE})

file(GLOB NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
add_executable(native_tests ${NATIVE_TESTS})
target_compile_options(native_tests PRIVATE ${WARNINGS} ${SANITIZE})
target_link_libraries(native_tests PRIVATE pure GTest::gtest_main)
# Where the tests find the sources that generated tables are compared against.
target_compile_definitions(native_tests PRIVATE ZP350_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
add_test(NAME native_tests COMMAND native_tests)

file(GLOB BENCHES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/bench/native_*.cpp)
foreach(src IN LISTS BENCHES)
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_compile_options(${name} PRIVATE ${WARNINGS} -O2)
  target_link_libraries(${name} PRIVATE pure)
endforeach()

# The virtual card reader's device model (C, also built into its driver).
add_library(vreader_model STATIC ${CMAKE_SOURCE_DIR}/tools/virtual-reader/reader_model.c)
target_compile_options(vreader_model PRIVATE -Wall -Wextra -Werror ${SANITIZE})
target_link_libraries(native_tests PRIVATE vreader_model)
