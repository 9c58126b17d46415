#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

namespace zelkit {

// Base of every failure the user is told about; what() is the text shown to them.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The operating system refused a file operation.
class FileError : public Error {
public:
    using Error::Error;
    // "Cannot open file "%s". %s" with the system's reason.
    static FileError cannotOpen(const std::string& path, int errnoValue);
    // "Cannot create file "%s". %s" with the system's reason.
    static FileError cannotCreate(const std::string& path, int errnoValue);
    // Any other failure on an open file: "<what> "<path>". <reason>".
    static FileError failed(const std::string& what, const std::string& path, int errnoValue);
};

// A read asked for bytes that the stream does not hold.
class ReadError : public Error {
public:
    ReadError() : Error("Stream read error") {}
};

// Malformed input: names the file, the byte offset and what is wrong.
class FormatError : public Error {
public:
    FormatError(const std::string& source, std::uint64_t offset, const std::string& problem);
    explicit FormatError(const std::string& message) : Error(message) {}
};

} // namespace zelkit
