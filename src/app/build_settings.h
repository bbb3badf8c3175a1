#pragma once

#include <QString>

namespace hm {

// The maker's web site (https), from the build and overridable by HOLLOWMERE_SITE_URL in the
// environment. Always ends in "/".
QString siteUrl();

// The base address of the update source, ending in "/", or empty when this copy has none.
// Overridable by HOLLOWMERE_UPDATE_URL in the environment.
QString updateUrl();

}  // namespace hm
