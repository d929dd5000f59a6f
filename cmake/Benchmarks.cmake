# Benchmarks are their own target, outside `all`, so the test build stays quick:
#   cmake --build build --target tavelin_benchmarks
if(NOT benchmark_FOUND)
    return()
endif()

file(GLOB_RECURSE TAVELIN_BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
if(NOT TAVELIN_BENCH_SOURCES)
    return()
endif()

add_executable(tavelin_benchmarks EXCLUDE_FROM_ALL ${TAVELIN_BENCH_SOURCES})
tavelin_apply_warnings(${TAVELIN_BENCH_SOURCES})
tavelin_link_plugin_code(tavelin_benchmarks)
target_link_libraries(tavelin_benchmarks PRIVATE tavelin_test_support benchmark::benchmark)
# The benchmarks drive modules through the same fixtures as the tests.
target_include_directories(tavelin_benchmarks PRIVATE ${CMAKE_SOURCE_DIR}/tests)
