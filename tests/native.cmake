# Native build: the portable logic under AddressSanitizer and UBSan.
set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
foreach(t unit_tests gtest gtest_main)
  target_compile_options(${t} PRIVATE ${SANITIZE} -g)
  target_link_options(${t} PRIVATE ${SANITIZE})
endforeach()
add_test(NAME unit_tests COMMAND unit_tests)

# clang-tidy over the portable sources, as this build compiles them.
find_program(CLANG_TIDY NAMES clang-tidy clang-tidy-14)
if(CLANG_TIDY)
  add_test(NAME tidy_portable COMMAND ${CLANG_TIDY} -p ${CMAKE_BINARY_DIR} --quiet ${QUELLIX_PORTABLE_SOURCES})
else()
  message(STATUS "clang-tidy not found: no tidy test")
endif()

# Layout: every C++ source as .clang-format has it.
find_program(CLANG_FORMAT NAMES clang-format clang-format-14)
if(CLANG_FORMAT)
  file(GLOB_RECURSE formatted CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp ${CMAKE_SOURCE_DIR}/src/*.h
       ${CMAKE_SOURCE_DIR}/tests/*.cpp ${CMAKE_SOURCE_DIR}/tests/*.h ${CMAKE_SOURCE_DIR}/bench/*.cpp
       ${CMAKE_SOURCE_DIR}/tools/*.cpp)
  add_test(NAME format COMMAND ${CLANG_FORMAT} --dry-run -Werror ${formatted})
endif()
