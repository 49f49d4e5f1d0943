# Native build: the portable logic under AddressSanitizer and UBSan.
set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
foreach(t unit_tests gtest gtest_main)
  target_compile_options(${t} PRIVATE ${SANITIZE} -g)
  target_link_options(${t} PRIVATE ${SANITIZE})
endforeach()
add_test(NAME unit_tests COMMAND unit_tests)
