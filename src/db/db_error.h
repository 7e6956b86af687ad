// The error of the data-access layer: a statement the server rejected, a
// connection that failed, a field that is not in a row, a value that cannot
// be converted. It carries the driver's or server's message.
//
// It is deliberately not one of the engine's own exception classes: the
// costing entry points report the engine's database exception with return
// code 1, while an error that the database itself raised ends a job as any
// other error does (-2), the run log holding the server's message.
#pragma once

#include <stdexcept>
#include <string>

namespace qora {

class EDatabaseError : public std::runtime_error {
 public:
  explicit EDatabaseError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace qora
