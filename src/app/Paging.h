// Paging arithmetic: how many lines a page step moves.
#pragma once

namespace varnel::app {

// Lines a page step moves for visible whole lines and ScrollPercent: that percentage of
// the visible lines when it is at least 1; a value -n below 1 pages by n lines in
// either direction; 0 does not move. Never negative: the caller gives the direction.
int PageStep(int visibleLines, int scrollPercent);

}  // namespace varnel::app
