// Where bytes for the host go: the socket in the program, a buffer in tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace varomil {

class ByteSink {
  public:
    virtual ~ByteSink() = default;
    // One call is one send on the wire; failures are the sink's business.
    virtual void send(const std::uint8_t* data, std::size_t size) = 0;
    void send(const std::string& bytes) {
        send(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
};

// Collects everything sent, one string per send.
class RecordingSink : public ByteSink {
  public:
    using ByteSink::send;
    void send(const std::uint8_t* data, std::size_t size) override {
        all.append(reinterpret_cast<const char*>(data), size);
        ++sends;
    }
    std::string all;
    int sends = 0;
};

// Drops everything (replay without a host).
class NullSink : public ByteSink {
  public:
    using ByteSink::send;
    void send(const std::uint8_t*, std::size_t) override {}
};

}  // namespace varomil
