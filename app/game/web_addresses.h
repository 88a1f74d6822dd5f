// The web addresses the manager's buttons open.
#pragma once

#include <string>
#include <string_view>

namespace gkr {

// `text` (UTF-8) as a query value: every byte other than letters, digits and
// - . _ ~ written as %XX, so '&', '=', '?' and '#' inside it cannot end it.
std::string PercentEncode(std::string_view text);

// The portal's login page with popup=true, popclose=1 and, as nxtURL, the
// game's start page, where the portal forwards after the login.
std::string GameLoginAddress();

std::string HomePageAddress();

}  // namespace gkr
