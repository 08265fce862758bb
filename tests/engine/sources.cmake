# Unit tests of the ringtone notation engine; tests/CMakeLists.txt builds them
# into engine_tests.
set(TW_ENGINE_TEST_SOURCES
  text_test.cpp
  collection_test.cpp
  cnote_test.cpp
  cnotes_test.cpp
  published_test.cpp
  reading_rules_test.cpp
  imelody_test.cpp
  fmf_test.cpp
  ott_test.cpp
  arduino_sketch_test.cpp
  ringtone_name_test.cpp
  transpose_test.cpp
)
