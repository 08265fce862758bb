# Tests of the ringtone list files; tests/CMakeLists.txt builds them into
# lists_tests, and all but the command-line part into lists_tests_asan.
set(TW_LISTS_TEST_SOURCES
  list_text_test.cpp
  ringtone_list_test.cpp
  crash_test.cpp
)
set(TW_LISTS_CLI_TEST_SOURCES list_cli_test.cpp list_stress_test.cpp)
