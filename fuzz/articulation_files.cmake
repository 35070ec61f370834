# Articulation set files in every import mode, and key-name files.
velmora_fuzz_target(articulation_files_fuzz
  SOURCES articulation_files_fuzz.cpp
  LIBS velmora_persistence velmora_core velmora_recording_host
  SEED_FOLDER articulation_files_seeds)
