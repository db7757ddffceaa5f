// The addresses handed to the browser.
#include "BrowserAddresses.h"

#include <gtest/gtest.h>

TEST(BrowserAddresses, SiteAndOrderPageJoinNameAndSuffixWithoutSeparators)
{
    const struct
    {
        const char* name;
        const char* suffix;
        const char* visit;
        const char* order;
    } cases[] = {
        {"Name-1", ".me.uk", "http://www.Name-1.me.uk",
         "http://www.kavimor.example/order.asp?domain=Name-1&type=.me.uk"},
        {"abc", ".com", "http://www.abc.com", "http://www.kavimor.example/order.asp?domain=abc&type=.com"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VisitAddress(c.name, c.suffix), c.visit);
        EXPECT_EQ(OrderPageAddress(c.name, c.suffix), c.order);
    }
}
