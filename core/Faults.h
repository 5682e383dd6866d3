#pragma once

#include <stdexcept>
#include <string>

// The faults that end a command. Each is thrown where it strikes and shown once, with its
// message, by the application's central error handler; nothing else catches them.
namespace vlnokan {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message)
        : std::runtime_error(message), m_message(message) {}
    // The whole message, also when a pasted text in it holds a NUL character.
    const std::string& message() const { return m_message; }

private:
    std::string m_message;
};

// A text that does not convert to a number.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A failed call to the operating system, with its error code.
class EOSError : public Exception {
public:
    EOSError(int code, const std::string& description);
    int errorCode() const { return m_code; }

private:
    int m_code = 0;
};

// A failure of the printer object.
class EPrinter : public Exception {
public:
    using Exception::Exception;
};

// A condition found by the processor or by a compiled-in check.
class EExternal : public Exception {
public:
    using Exception::Exception;
};

class EIntError : public EExternal {
public:
    using EExternal::EExternal;
};

class ERangeError final : public EIntError {
public:
    ERangeError() : EIntError("Range check error") {}
};

class EIntOverflow final : public EIntError {
public:
    EIntOverflow() : EIntError("Integer overflow") {}
};

class EMathError : public EExternal {
public:
    using EExternal::EExternal;
};

class EInvalidOp final : public EMathError {
public:
    EInvalidOp() : EMathError("Invalid floating point operation") {}
};

class EZeroDivide final : public EMathError {
public:
    EZeroDivide() : EMathError("Floating point division by zero") {}
};

class EOverflow final : public EMathError {
public:
    EOverflow() : EMathError("Floating point overflow") {}
};

class EUnderflow final : public EMathError {
public:
    EUnderflow() : EMathError("Floating point underflow") {}
};

// The silent fault: the error handler drops it without a box.
class EAbort final : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};

} // namespace vlnokan
