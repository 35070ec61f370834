# Requests from raw bytes to the response. Seeds: fuzz/http_request_seeds/.
velmora_fuzz_target(http_request_fuzz
  SOURCES http_request_fuzz.cpp
  LIBS velmora_http velmora_recording_host)
