set(TW_SOUND_TEST_SOURCES cwave_test.cpp instrument_voice_test.cpp midi_file_test.cpp midi_reader_test.cpp
                           phone_ringtone_test.cpp render_test.cpp voice_play_test.cpp)
set(TW_SOUND_CLI_TEST_SOURCES play_voice_cli_test.cpp sound_cli_test.cpp)
