# Decoding throughput of result pages beside a plain iconv conversion.
add_executable(search_request_bench ${CMAKE_CURRENT_LIST_DIR}/decodeutf8page_bench.cpp)
target_link_libraries(search_request_bench PRIVATE qingyou_search qingyou_warnings benchmark::benchmark)
