# Restore of project states, seeded with one state per stored layout.
add_executable(state_restore_seeds state_restore_seeds.cpp)
target_link_libraries(state_restore_seeds PRIVATE velmora_state_writer)

velmora_fuzz_target(state_restore_fuzz
  SOURCES state_restore_fuzz.cpp
  LIBS velmora_persistence velmora_core velmora_recording_host
  SEED_WRITER state_restore_seeds)
