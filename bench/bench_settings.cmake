ombrel_bench(bench_settings LIBS ombrel-settings)
