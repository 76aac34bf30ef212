ombrel_bench(bench_log LIBS ombrel-settings)
