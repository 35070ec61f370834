# Requests from raw bytes to the response.
velmora_fuzz_target(http_request_fuzz
  SOURCES http_request_fuzz.cpp
  LIBS velmora_http velmora_recording_host
  SEED_FOLDER http_request_seeds)
