ombrel_bench(bench_render LIBS ombrel-render ombrel-host nlohmann_json::nlohmann_json)
target_compile_definitions(bench_render PRIVATE OMBREL_LIBRARY_PATH="$<TARGET_FILE:Ombrel>")
add_dependencies(bench_render ombrel Ombrel)
