ombrel_bench(bench_drag LIBS ombrel-host nlohmann_json::nlohmann_json)
target_compile_definitions(bench_drag PRIVATE OMBREL_LIBRARY_PATH="$<TARGET_FILE:Ombrel>")
add_dependencies(bench_drag ombrel Ombrel)
