# Requests from raw bytes to the response. Seeds: fuzz/http_request_seeds/.
velmora_fuzz_target(http_request_fuzz ${CMAKE_CURRENT_LIST_DIR}/http_request_fuzz.cpp)
target_link_libraries(http_request_fuzz PRIVATE velmora_http velmora_recording_host)
