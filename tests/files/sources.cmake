# Tests of the file layer; tests/CMakeLists.txt builds them into files_tests
# and files_tests_asan.
set(TW_FILES_TEST_SOURCES
  output_file_test.cpp
  replace_file_test.cpp
  read_file_test.cpp
  temporary_files_test.cpp
)
