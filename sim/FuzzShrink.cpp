#include "sim/FuzzShrink.h"

namespace ombrel::sim {

ShrinkResult shrinkSequence(const SequenceResult& failing,
    const std::function<SequenceResult(const std::vector<std::string>&)>& replay, int maxTries)
{
    ShrinkResult out { failing, 0 };
    const int invariant = failing.violation ? failing.violation->invariant : 0;
    // Lines after the one the violation followed never played a part.
    std::size_t keep = std::min(failing.bodyLines, failing.at + 1);
    std::vector<std::string> body(failing.lines.begin(), failing.lines.begin() + std::ptrdiff_t(keep));

    auto stillFails = [&](const std::vector<std::string>& candidate) {
        if (out.tries >= maxTries)
            return false;
        ++out.tries;
        SequenceResult run = replay(candidate);
        if (run.refused || !run.violation || run.violation->invariant != invariant)
            return false;
        out.shortest = std::move(run);
        return true;
    };

    for (std::size_t chunk = std::max<std::size_t>(body.size() / 2, 1); chunk >= 1 && out.tries < maxTries; chunk /= 2) {
        for (std::size_t from = 0; from < body.size() && out.tries < maxTries;) {
            std::vector<std::string> candidate(body.begin(), body.begin() + std::ptrdiff_t(from));
            std::size_t to = std::min(body.size(), from + chunk);
            candidate.insert(candidate.end(), body.begin() + std::ptrdiff_t(to), body.end());
            if (stillFails(candidate)) {
                // The violation may now be seen earlier: what follows it goes too.
                std::size_t seen = std::min(out.shortest.bodyLines, out.shortest.at + 1);
                body.assign(out.shortest.lines.begin(), out.shortest.lines.begin() + std::ptrdiff_t(seen));
            } else {
                from = to;
            }
        }
        if (chunk == 1)
            break;
    }
    return out;
}

} // namespace ombrel::sim
