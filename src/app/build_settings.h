#pragma once

#include <QString>

namespace hm {

// The maker's web site (https), from the build and overridable by HOLLOWMERE_SITE_URL in the
// environment. Always ends in "/".
QString siteUrl();

// The base address of the update source, ending in "/", or empty when this copy has none.
// Overridable by HOLLOWMERE_UPDATE_URL in the environment.
QString updateUrl();

// The base64 Ed25519 public key that the installers of this copy are signed with, or empty when
// they are not checked. Only the build sets it: a key that the environment could replace or
// remove would prove nothing.
QString updateKey();

}  // namespace hm
