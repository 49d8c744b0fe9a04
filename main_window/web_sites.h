#pragma once
// The useful web sites of the context menu: each item's target and its description.
#include <array>
#include <string_view>

namespace zentrel {

struct WebSite {
    std::string_view target;
    std::string_view description;
};

// Items 0 to 7 of the web-site submenu; item 1 is the separator line, whose target is
// filled in by the menu.
inline constexpr std::array<WebSite, 8> web_sites = {{
    {"http://www.example.org/zentrel/", "(Zentrel web site)"},
    {"", ""},
    {"https://www.thephonebook.bt.com/Person/PersonSearch/", "(BT phone book)"},
    {"https://www.thephonebook.bt.com/Number/InternationalCodes/", "(BT International codes)"},
    {"https://www.192.com/people/", "(192.com people search)"},
    {"https://www.whitepages.co.uk/", "(White Pages UK)"},
    {"https://www.royalmail.com/find-a-postcode", "(UK Postcode finder)"},
    {"https://vehicleenquiry.service.gov.uk/", "(UK Number plate history)"},
}};

} // namespace zentrel
