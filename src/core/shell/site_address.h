// The addresses on the maker's web site: the product page and the version document.
#pragma once

#include <string>
#include <string_view>

namespace kubrix {

// Everything the program links to or fetches hangs below one base address, fixed when the
// program is built and replaceable at run time through the environment variable
// KUBRIX_SITE_URL (a test server, a mirror).
class SiteAddress {
public:
    static constexpr const char* kEnvironmentVariable = "KUBRIX_SITE_URL";

    // Trailing slashes are dropped, so "http://host/" and "http://host" name the same pages.
    explicit SiteAddress(std::string_view base);
    // The built-in address unless KUBRIX_SITE_URL holds another.
    static SiteAddress fromEnvironment();

    const std::string& home() const { return base_; }
    std::string productPage() const { return base_ + "/catalog/kubrix"; }
    std::string versionDocument() const { return productPage() + "/version.txt"; }

private:
    std::string base_;
};

} // namespace kubrix
