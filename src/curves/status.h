#pragma once

#include <string>
#include <utility>

namespace ombrelis {

// What the core returns from an operation that may refuse its input: done,
// or refused with the French message to show. Nothing in the core throws;
// the caller decides how the message reaches the user (a dialog, stderr).
// There is deliberately no conversion to bool: ask ok().
class [[nodiscard]] Status {
public:
    static Status done() { return Status(false, {}); }
    static Status refused(std::string message) { return Status(true, std::move(message)); }

    bool ok() const { return !refused_; }
    // The French message of a refusal; empty when done.
    const std::string &message() const { return message_; }

private:
    Status(bool refused, std::string message) : refused_(refused), message_(std::move(message)) { }

    bool refused_;
    std::string message_;
};

}  // namespace ombrelis
