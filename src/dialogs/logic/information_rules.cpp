#include "dialogs/logic/information_rules.h"

#include <algorithm>
#include <cctype>

namespace nv::dialogs {

LinkRoute RouteOfLink(std::string_view scheme) {
  auto is = [scheme](std::string_view name) {
    return std::ranges::equal(scheme, name, [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
  };
  if (scheme.empty() || is("file")) return LinkRoute::Inside;
  if (is("http") || is("https") || is("mailto")) return LinkRoute::Desktop;
  return LinkRoute::Ignored;
}

}  // namespace nv::dialogs
