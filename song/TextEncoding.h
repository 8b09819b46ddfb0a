#pragma once

#include <string>
#include <string_view>

namespace tw {

// A text of the song as it is shown: the stored bytes kept when they are
// valid UTF-8, else read as Windows-1252 (what older karaoke files use) and
// given as UTF-8. The stored bytes themselves are never changed.
[[nodiscard]] std::string ShownText(std::string_view stored);

}  // namespace tw
