#pragma once
// The one error type of the suite: an exception that carries the text shown to the user.

#include <stdexcept>
#include <string>

namespace shell {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

} // namespace shell
