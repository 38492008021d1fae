# libFuzzer targets: one executable per tests/fuzz/*.cpp, core built with the same
# instrumentation. Configure with CXX=clang++ -DVAROMIL_FUZZ=ON.
target_compile_options(varomil_core PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
file(GLOB fuzz_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*.cpp)
foreach(src ${fuzz_sources})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${name} PRIVATE varomil_core)
endforeach()
