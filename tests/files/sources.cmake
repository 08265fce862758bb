# Tests of the file layer; tests/CMakeLists.txt builds them into files_tests
# and files_tests_asan.
set(TW_FILES_TEST_SOURCES safe_file_test.cpp file_lock_test.cpp)
