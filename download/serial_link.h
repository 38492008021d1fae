// Serial links: a plain cable, an IrDA port, or the infrared cradle, whose
// transceiver is set up over the same line before use.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "download/download_ui.h"
#include "download/link.h"
#include "settings/value_lists.h"

namespace varomil {

// The line settings record the port is given (always 8 data bits, no parity,
// one stop bit, no flow control, no error characters).
struct LineSettings {
    std::uint32_t baudRate = 0;
    bool rtsEnable = false;
    bool dtrEnable = false;
    bool operator==(const LineSettings& o) const {
        return baudRate == o.baudRate && rtsEnable == o.rtsEnable && dtrEnable == o.dtrEnable;
    }
};

// A PC serial port as the shell opens it ("COM1".."COM9").
class SerialDevice {
  public:
    virtual ~SerialDevice() = default;
    // Opens the port exclusively and sets its queues to 256 bytes in, 1200 out.
    virtual bool open(int port) = 0;
    // Passes the record to the port (SetCommState); false when refused.
    virtual bool apply(const LineSettings& settings) = 0;
    // Reads return at once (read interval MAXDWORD, other time-outs unchanged).
    virtual void setReadsImmediate() = 0;
    // The protocol's time-outs: reads return at once, writes 5 ms a byte + 50 ms.
    virtual void setSessionTimeouts() = 0;
    // One write of all bytes; false when it failed.
    virtual bool write(const Byte* data, std::size_t n) = 0;
    // Returns at once with what has arrived, at most max bytes.
    virtual std::size_t read(Byte* buf, std::size_t max) = 0;
    // Discards the receive queue and closes; harmless when not open.
    virtual void close() = 0;
};

struct LinkSpeed {
    std::uint32_t baudRate;
    Byte cradleCode;  // what the cradle is told to switch to
};

// In the order of lists::kBaudRate, which names them.
constexpr std::array<LinkSpeed, 4> kLinkSpeeds{{
    {115200, '6'},
    {57600, '5'},
    {38400, '4'},
    {9600, '2'},
}};
static_assert(kLinkSpeeds.size() == lists::kBaudRate.size(), "one name for each speed");

// The speeds at which the cradle's present speed is looked for, in this order.
constexpr std::array<std::uint32_t, 5> kCradleProbeSpeeds{{115200, 38400, 57600, 19200, 9600}};

constexpr Byte kCradleProbe = 0x0F;
constexpr Byte kCradleCommand = 0x07;
constexpr Byte kCradleQuit = 'Q';
constexpr std::uint32_t kCradlePauseMs = 100;

// Sets the cradle's transceiver to the chosen download speed. `settings` is the
// port's record; on success it holds the download speed with RTS and DTR enabled.
bool setUpCradle(SerialDevice& port, Clock& clock, std::uint32_t downloadBaud,
                 LineSettings& settings);

enum class SerialOpenResult { Open, PortUnavailable, CradleFailed, LineRefused };

// Opens and sets the chosen port; for the cradle also sets up the cradle. Reports
// failures to the user; on failure the port is closed.
SerialOpenResult openSerialLink(SerialDevice& port, Clock& clock, DownloadUi& ui,
                                const LinkChoice& choice);

class SerialLink : public Link {
  public:
    SerialLink(SerialDevice& port, Clock& clock) : Link(clock), port_(port) {}

  protected:
    std::size_t readLimit() const override { return 1; }
    std::size_t receive(Byte* buf, std::size_t max) override { return port_.read(buf, max); }
    void transmit(const Byte* data, std::size_t n) override { port_.write(data, n); }
    void discardInput() override;

  private:
    SerialDevice& port_;
};

}  // namespace varomil
