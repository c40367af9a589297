#pragma once

#include <string>
#include <string_view>

namespace zobl {

// The product's web site, a build setting; every link goes to one of its pages with
// the marker that tells the site where the visitor came from.
inline constexpr char kWebSite[] = "http://" ZOBL_WEB_HOST;

inline constexpr char kLatestVersionPage[] = "/zobl.htm";
inline constexpr char kFaqPage[] = "/zoblfaq.htm";
inline constexpr char kHomePage[] = "";
inline constexpr char kAuthorPage[] = "/aboutme.htm";
inline constexpr char kSupportPage[] = "/sendmon.htm";

// "http://" + host + page + "?FROM_ZOBL_QUILLMOOR".
std::string WebAddress(std::string_view page);

}  // namespace zobl
