# Articulation set files and key-name files. Seeds: fuzz/articulation_files_seeds/.
velmora_fuzz_target(articulation_files_fuzz ${CMAKE_CURRENT_LIST_DIR}/articulation_files_fuzz.cpp)
target_link_libraries(articulation_files_fuzz PRIVATE velmora_persistence velmora_core velmora_recording_host)
