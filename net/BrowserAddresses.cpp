#include "BrowserAddresses.h"

std::string VisitAddress(std::string_view name, std::string_view suffix)
{
    return "http://www." + std::string(name) + std::string(suffix);
}

std::string OrderPageAddress(std::string_view name, std::string_view suffix)
{
    return std::string(RegistrarSite) + "/order.asp?domain=" + std::string(name) +
           "&type=" + std::string(suffix);
}
