ombrel_bench(bench_runtime LIBS ombrel-runtime)
