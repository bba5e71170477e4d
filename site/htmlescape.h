#pragma once

#include <string>
#include <string_view>

namespace qingyou::site {

// Escapes & " < > ' as &amp; &quot; &lt; &gt; &#39;, so the result is safe both
// as element text and as a double- or single-quoted attribute value. Other
// bytes, UTF-8 included, pass unchanged.
[[nodiscard]] std::string EscapeHtml(std::string_view text);

}  // namespace qingyou::site
