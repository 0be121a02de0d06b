#pragma once

#include <string_view>

namespace kadelo {

// The personality paragraph shown for a total fortune (総運) key from 1 to 61.
// Any other key gives an empty view. The views refer to static storage.
std::u32string_view personalityText(int key);

} // namespace kadelo
