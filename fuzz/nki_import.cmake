# The whole import (GetArticulations) over raw bytes, seeded with instruments
# as plain patches, containers and bare preset streams. The library prints
# diagnostic lines on stdout (scripts/fuzz.sh hides them with -close_fd_mask=1).
add_executable(nki_import_seed_writer nki_import_seed_writer.cpp)
target_link_libraries(nki_import_seed_writer PRIVATE velmora_nki_writer velmora_patch_object_writer velmora_platform)

velmora_fuzz_target(nki_import_fuzz
  SOURCES nki_import_fuzz.cpp
  LIBS velmora_importer_api
  SEED_WRITER nki_import_seed_writer)
