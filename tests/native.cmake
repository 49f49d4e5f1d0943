# Native build: the portable logic under AddressSanitizer and UBSan.
set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
foreach(t unit_tests gtest gtest_main)
  target_compile_options(${t} PRIVATE ${SANITIZE} -g)
  target_link_options(${t} PRIVATE ${SANITIZE})
endforeach()
add_test(NAME unit_tests COMMAND unit_tests)

# Layout: every C++ source as .clang-format has it.
find_program(CLANG_FORMAT NAMES clang-format clang-format-14)
if(CLANG_FORMAT)
  file(GLOB_RECURSE formatted CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp ${CMAKE_SOURCE_DIR}/src/*.h
       ${CMAKE_SOURCE_DIR}/tests/*.cpp ${CMAKE_SOURCE_DIR}/tests/*.h ${CMAKE_SOURCE_DIR}/bench/*.cpp
       ${CMAKE_SOURCE_DIR}/tools/*.cpp)
  add_test(NAME format COMMAND ${CLANG_FORMAT} --dry-run -Werror ${formatted})
endif()

# The generated mutation check's scan of src/ (tools/mutants --generate).
add_test(NAME mutants_scan COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/mutants_scan.py)
