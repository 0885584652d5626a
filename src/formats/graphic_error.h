#pragma once

#include <stdexcept>

// A picture that cannot be read, written or changed as asked; the message
// says why and is shown to the user as it stands.
class EInvalidGraphicOperation : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
