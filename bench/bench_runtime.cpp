// A typed runtime send against a C++ virtual call, both to a method that adds its argument to a
// counter; the send goes through the class's cache and the signature check.
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include <benchmark/benchmark.h>

using namespace runtime;

namespace {

struct Counter : Object {
    virtual void add(int v) { total += v; }
    long total = 0;
};

void addImp(Object* self, Sel, int v) { static_cast<Counter*>(self)->total += v; }

Class* counterClass()
{
    static Class* cls = [] {
        ClassBuilder("BenchBase", "NSObject").instancesOf<Counter>().method("add:", &addImp).registerClass();
        // Found through two levels of inheritance, as most host methods are.
        ClassBuilder("BenchMiddle", "BenchBase").registerClass();
        return ClassBuilder("BenchCounter", "BenchMiddle").registerClass();
    }();
    return cls;
}

void BM_VirtualCall(benchmark::State& state)
{
    Ref<Object> obj = alloc(counterClass());
    Counter* c = static_cast<Counter*>(obj.get());
    benchmark::DoNotOptimize(c);
    for (auto _ : state) {
        Counter* target = c;
        benchmark::DoNotOptimize(target);
        target->add(1);
    }
    benchmark::DoNotOptimize(c->total);
}
BENCHMARK(BM_VirtualCall);

void BM_TypedSend(benchmark::State& state)
{
    Ref<Object> obj = alloc(counterClass());
    static const Sel add("add:");
    for (auto _ : state) {
        Object* target = obj.get();
        benchmark::DoNotOptimize(target);
        send(target, add, 1);
    }
    benchmark::DoNotOptimize(static_cast<Counter*>(obj.get())->total);
}
BENCHMARK(BM_TypedSend);

void BM_SendToNothing(benchmark::State& state)
{
    static const Sel add("add:");
    for (auto _ : state) {
        Object* target = nullptr;
        benchmark::DoNotOptimize(target);
        send(target, add, 1);
    }
}
BENCHMARK(BM_SendToNothing);

} // namespace

BENCHMARK_MAIN();
