// The built-in pick lists of the Insert menu: Japanese symbols and Greek letters, as
// CP932 entries in list order.
#pragma once

#include <string>
#include <vector>

namespace varnel::tools {

// 63 entries: nine bracket pairs (each entry is the pair), then 54 single symbols.
const std::vector<std::string>& SymbolPickList();
// 48 entries: the lower-case Greek letters, then the upper-case ones.
const std::vector<std::string>& GreekPickList();

}  // namespace varnel::tools
