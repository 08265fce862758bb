# Tests of the application shell; tests/CMakeLists.txt builds them into
# shell_tests, and the standard-library part into shell_tests_asan. The
# second list needs Qt: the QSettings store with XDG_CONFIG_HOME in a
# temporary folder, and the settings command of the command line.
set(TW_SHELL_TEST_SOURCES
  settings_test.cpp
  shell_texts_test.cpp
  window_layout_test.cpp
)
set(TW_SHELL_CLI_TEST_SOURCES qt_settings_test.cpp)
