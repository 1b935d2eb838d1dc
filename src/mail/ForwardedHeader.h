// Trimming the header of a forwarded message in the display list to the fields a
// reader wants (To, Cc, Date, From, Subject, In-Reply-To and the listed fields).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::mail {

// Works on display from index start until an empty line or the end. headerList is the
// stored HeaderList setting ("," + lower-cased value).
void FilterForwardedHeader(std::vector<std::string>& display, std::size_t start,
                           std::string_view headerList);

}  // namespace varnel::mail
