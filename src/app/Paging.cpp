// Paging arithmetic.
#include "app/Paging.h"

#include <algorithm>

namespace varnel::app {

int PageStep(int visibleLines, int scrollPercent) {
    constexpr long long kMostLines = 1'000'000;  // far beyond any screen; keeps int range
    long long step = 0;
    if (scrollPercent >= 1)
        step = static_cast<long long>(std::max(0, visibleLines)) * scrollPercent / 100;
    else
        step = -static_cast<long long>(scrollPercent);
    return static_cast<int>(std::min(step, kMostLines));
}

}  // namespace varnel::app
