# Open and load of NKI files, seeded with plain patches and containers in
# each layout.
add_executable(nki_seed_writer nki_seed_writer.cpp)
target_link_libraries(nki_seed_writer PRIVATE velmora_nki_writer)

velmora_fuzz_target(nki_fuzz
  SOURCES nki_fuzz.cpp
  LIBS velmora_importer_container
  SEED_WRITER nki_seed_writer)
