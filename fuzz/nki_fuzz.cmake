# Open and load of NKI files. Seeds: build nki_seed_writer (tests/importer) and
# run it with a folder, then run nki_fuzz on that folder.
velmora_fuzz_target(nki_fuzz ${CMAKE_CURRENT_LIST_DIR}/nki_fuzz.cpp)
target_link_libraries(nki_fuzz PRIVATE velmora_importer_container)
