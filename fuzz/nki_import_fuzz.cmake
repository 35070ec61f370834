# The whole import (GetArticulations) over raw bytes. Seeds: build
# nki_import_seed_writer (tests/importer) and run it with a folder, then run
# nki_import_fuzz on that folder (-close_fd_mask=1 hides the library's
# diagnostic lines).
velmora_fuzz_target(nki_import_fuzz ${CMAKE_CURRENT_LIST_DIR}/nki_import_fuzz.cpp)
target_link_libraries(nki_import_fuzz PRIVATE velmora_importer_api)
