# The Windows bitmap reader over raw bytes, seeded with bitmaps of each
# accepted layout and a few the reader refuses.
add_executable(bmp_seed_writer bmp_seed_writer.cpp)
target_link_libraries(bmp_seed_writer PRIVATE velmora_bmp_writer)

velmora_fuzz_target(bmp_fuzz
  SOURCES bmp_fuzz.cpp
  LIBS velmora_platform
  SEED_WRITER bmp_seed_writer)
