// The web addresses the program hands to the browser: a registered name's web site, and the order
// page of the registrar for an available name.
#pragma once

#include <string>
#include <string_view>

// The registrar's web site root, without a trailing slash; its "/order.asp" page takes the name
// and the suffix.
inline constexpr std::string_view RegistrarSite = "http://www.kavimor.example";

// "http://www." + name + suffix. The scheme is there because a desktop handler takes a bare
// "www.name.com" for a file path and opens nothing.
std::string VisitAddress(std::string_view name, std::string_view suffix);

// RegistrarSite + "/order.asp?domain=" + name + "&type=" + suffix. Nothing is escaped: a name is
// letters, digits and hyphens, and a suffix letters and dots.
std::string OrderPageAddress(std::string_view name, std::string_view suffix);
