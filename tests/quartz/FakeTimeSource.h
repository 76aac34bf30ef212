#pragma once
// A time source for quartz tests: a clock moved by hand and a queue of posted work run in order.

#include "platform/quartz/TimeSource.h"
#include <algorithm>
#include <functional>
#include <vector>

struct FakeTimeSource final : quartz::TimeSource {
    FakeTimeSource() { quartz::setTimeSource(this); }
    ~FakeTimeSource() { quartz::setTimeSource(nullptr); }

    double now() const override { return time; }
    void callAt(double at, std::function<void()> work) override { queue.push_back({ at, order++, std::move(work) }); }

    void runUntil(double until)
    {
        for (;;) {
            auto next = std::min_element(queue.begin(), queue.end(), [](const Item& a, const Item& b) {
                return a.at != b.at ? a.at < b.at : a.order < b.order;
            });
            if (next == queue.end() || next->at > until)
                break;
            Item item = std::move(*next);
            queue.erase(next);
            time = std::max(time, item.at);
            item.work();
        }
        time = until;
    }

    struct Item {
        double at;
        int order;
        std::function<void()> work;
    };
    double time = 0;
    int order = 0;
    std::vector<Item> queue;
};
