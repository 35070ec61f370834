# Restore of project states. Seeds: run state_restore_seeds with a folder,
# then run state_restore_fuzz on that folder.
velmora_fuzz_target(state_restore_fuzz ${CMAKE_CURRENT_LIST_DIR}/state_restore_fuzz.cpp)
target_link_libraries(state_restore_fuzz PRIVATE velmora_persistence velmora_core velmora_recording_host)
add_executable(state_restore_seeds ${CMAKE_CURRENT_LIST_DIR}/state_restore_seeds.cpp)
target_link_libraries(state_restore_seeds PRIVATE velmora_state_writer)
