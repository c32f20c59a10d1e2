#pragma once

#include <string_view>

namespace links {

// The home pages behind the two link buttons of the About group. Their
// hosts sit under the reserved .example domain, so the buttons can never
// send a user to somebody else's site; the window shows the same hosts.
inline constexpr std::u16string_view DornwickHomePage = u"http://dornwick.example/";
inline constexpr std::u16string_view VelmoraWorkshopHomePage = u"http://vworkshop.example/";

} // namespace links
