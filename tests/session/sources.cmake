# Tests of the ringtone session; tests/CMakeLists.txt builds them into
# session_tests and session_tests_asan.
set(TW_SESSION_TEST_SOURCES
  get_and_show_test.cpp
  import_test.cpp
  old_names_test.cpp
  midi_ringtone_test.cpp
  ringtone_edit_test.cpp
  rows_seen_test.cpp
  sound_file_test.cpp
  whole_list_test.cpp
  handset_files_test.cpp
  written_reads_back_test.cpp
  ../support/written_reads_back.cpp
)
