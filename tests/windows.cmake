# Cross build: the tests are Windows programs too; off Windows they run under Wine.
foreach(t unit_tests)
  target_link_options(${t} PRIVATE -static)
endforeach()

# The start-up's tests first: they are the quickest.
add_executable(e2e_tests e2e/program_test.cpp e2e/desktop_test.cpp e2e/process.cpp e2e/fixture.cpp
    e2e/select_test.cpp e2e/close_test.cpp e2e/activate_test.cpp e2e/hostile_test.cpp e2e/watch_test.cpp
    e2e/force_test.cpp ${CMAKE_SOURCE_DIR}/src/cmdline/usage.cpp)
target_include_directories(e2e_tests PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_compile_options(e2e_tests PRIVATE ${QUELLIX_WARNINGS})
target_link_libraries(e2e_tests PRIVATE gtest_main gtest user32)
target_link_options(e2e_tests PRIVATE -static)
target_compile_definitions(e2e_tests PRIVATE QUELLIX_REFUSED_CLASS="${QUELLIX_REFUSED_CLASS}")
add_dependencies(e2e_tests quellix quellixc quellix_seam quellix_session0 window_host)
# The second program whose windows the process conditions tell from the tests' own.
add_executable(window_host e2e/window_host.cpp)
target_compile_options(window_host PRIVATE ${QUELLIX_WARNINGS})
target_link_options(window_host PRIVATE -static -municode)

add_test(NAME unit_tests COMMAND unit_tests)
add_test(NAME e2e_tests COMMAND e2e_tests)
# One desktop: the end-to-end tests must not run beside each other.
set_tests_properties(e2e_tests PROPERTIES RESOURCE_LOCK desktop)
# A program that another one ends leaves Wine with exit status 0: only gtest's summary tells a run
# that went to its end (a Quellix that ended the tests' own process would otherwise pass).
set_tests_properties(unit_tests e2e_tests PROPERTIES PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]"
                                                    FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")

# The byte budget holds for the gcc build; clang's code is larger.
set(exe_budget)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set(exe_budget 16384)
endif()
add_test(NAME exe_imports COMMAND ${CMAKE_SOURCE_DIR}/tests/check-image.sh $<TARGET_FILE:quellix> ${PROJECT_VERSION}
    "${exe_budget}")
add_test(NAME exe_imports_console COMMAND ${CMAKE_SOURCE_DIR}/tests/check-image.sh $<TARGET_FILE:quellixc>
    ${PROJECT_VERSION} "${exe_budget}" console)

if(NOT CMAKE_HOST_WIN32)
  set(WINE_STATE ${CMAKE_BINARY_DIR}/wine)
  add_test(NAME wine_start COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-session start ${WINE_STATE})
  add_test(NAME wine_stop COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-session stop ${WINE_STATE})
  set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine)
  set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine)
  # The console twin on a pseudo terminal, where Wine gives it a real console.
  add_test(NAME console_twin COMMAND ${CMAKE_SOURCE_DIR}/tests/console-twin.sh $<TARGET_FILE_DIR:quellixc>)
  # The JSON report, one scenario a row, each document read by Python's json module.
  add_test(NAME json_report COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/json-report.py $<TARGET_FILE_DIR:quellixc>)
  set_tests_properties(console_twin json_report PROPERTIES RESOURCE_LOCK desktop)
  set_tests_properties(unit_tests e2e_tests console_twin json_report PROPERTIES FIXTURES_REQUIRED wine
      ENVIRONMENT QUELLIX_WINE_STATE=${WINE_STATE})
endif()

add_test(NAME exe_reproducible COMMAND ${CMAKE_SOURCE_DIR}/tests/check-reproducible.sh ${CMAKE_SOURCE_DIR}
    ${CMAKE_TOOLCHAIN_FILE} ${CMAKE_BUILD_TYPE} $<TARGET_FILE:quellix>)
