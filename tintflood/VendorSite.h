// The vendor's web site, named on the options dialog and opened by its button.
#pragma once

constexpr char kVendorSiteName[] = "www.oxlen.example";
constexpr char kVendorSiteAddress[] = "http://www.oxlen.example/";
