// The method cache against a plain map, through growth and deletions that shift probe runs.
#include "platform/runtime/MethodCache.h"
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <string>

using namespace runtime;

TEST(MethodCache, AgreesWithAMapThroughInsertsAndErases)
{
    std::vector<Sel> sels;
    for (int i = 0; i < 300; ++i)
        sels.emplace_back("cacheSelector" + std::to_string(i) + ":");
    std::vector<Method> methods(sels.size());
    MethodCache cache;
    std::map<const SelectorInfo*, const Method*> reference;
    std::mt19937 random(12345);
    for (int step = 0; step < 20000; ++step) {
        std::size_t i = random() % sels.size();
        if (random() % 3 == 0) {
            cache.erase(sels[i]);
            reference.erase(sels[i].info());
        } else {
            const Method* m = random() % 5 == 0 ? nullptr : &methods[i];
            cache.insert(sels[i], m);
            reference[sels[i].info()] = m;
        }
        if (step % 97 == 0) {
            for (std::size_t k = 0; k < sels.size(); ++k) {
                const MethodCache::Entry* got = cache.find(sels[k]);
                auto it = reference.find(sels[k].info());
                ASSERT_EQ(got != nullptr, it != reference.end()) << "step " << step << " selector " << k;
                if (got) {
                    ASSERT_EQ(got->method, it->second);
                }
            }
        }
    }
}
