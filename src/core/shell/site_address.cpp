// The addresses on the maker's web site.
#include "core/shell/site_address.h"

#include <cstdlib>

#ifndef KUBRIX_DEFAULT_SITE_URL
#define KUBRIX_DEFAULT_SITE_URL "https://kubrix.example"
#endif

namespace kubrix {

SiteAddress::SiteAddress(std::string_view base)
{
    while (!base.empty() && base.back() == '/')
        base.remove_suffix(1);
    base_ = base;
}

SiteAddress SiteAddress::fromEnvironment()
{
    const char* given = std::getenv(kEnvironmentVariable);
    if (given != nullptr && *given != '\0')
        return SiteAddress(given);
    return SiteAddress(KUBRIX_DEFAULT_SITE_URL);
}

} // namespace kubrix
