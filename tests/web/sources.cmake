# Tests of the web menus and the version check; tests/CMakeLists.txt builds
# them into web_tests, and the standard-library part into web_tests_asan.
# The second list needs Qt: the real HTTP client against a server on
# 127.0.0.1 started by the tests, the browser launcher and the command line.
set(TW_WEB_TEST_SOURCES web_logic_test.cpp)
set(TW_WEB_CLI_TEST_SOURCES
  qt_web_test.cpp
  web_cli_test.cpp
)
