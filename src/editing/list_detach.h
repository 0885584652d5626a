#pragma once

#include <algorithm>
#include <memory>

namespace nv::editing {

// Takes `record` out of an owning list and hands it back, none when the list
// does not hold it.
template <typename List, typename Record>
std::unique_ptr<typename List::value_type::element_type> Detach(List& list, const Record* record) {
  auto it = std::find_if(list.begin(), list.end(), [record](const auto& r) { return r.get() == record; });
  if (it == list.end()) return nullptr;
  auto detached = std::move(*it);
  list.erase(it);
  return detached;
}

}  // namespace nv::editing
