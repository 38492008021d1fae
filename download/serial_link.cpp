#include "download/serial_link.h"

#include "download/download_messages.h"
#include "download/link_interfaces.h"

namespace varomil {
namespace {

// Stale input is drained one byte at a time, but a peer that keeps talking must
// not hold the download for ever.
constexpr std::uint32_t kDrainLimitMs = kReplyTimeoutMs;

void applyAndPause(SerialDevice& port, Clock& clock, const LineSettings& s) {
    port.apply(s);
    clock.sleep(kCradlePauseMs);
}

void writeByteAndPause(SerialDevice& port, Clock& clock, Byte b) {
    port.write(&b, 1);
    clock.sleep(kCradlePauseMs);
}

bool cradleAnswersAt(SerialDevice& port, Clock& clock, std::uint32_t baud, LineSettings& s) {
    s.baudRate = baud;
    s.rtsEnable = false;
    applyAndPause(port, clock, s);
    writeByteAndPause(port, clock, kCradleProbe);
    bool answered = false;
    Deadline wait(clock, kCradlePauseMs);
    while (!wait.passed()) {
        Byte b = 0;
        if (port.read(&b, 1) == 1) {
            answered = b == kCradleProbe;
            break;
        }
    }
    s.rtsEnable = true;
    applyAndPause(port, clock, s);
    return answered;
}

}  // namespace

bool setUpCradle(SerialDevice& port, Clock& clock, std::uint32_t downloadBaud, LineSettings& s) {
    s.baudRate = 38400;
    port.setReadsImmediate();
    s.rtsEnable = true;
    s.dtrEnable = true;
    applyAndPause(port, clock, s);

    std::uint32_t found = 0;
    for (std::uint32_t speed : kCradleProbeSpeeds) {
        if (cradleAnswersAt(port, clock, speed, s)) {
            found = speed;
            break;
        }
    }
    if (found == 0) return false;

    s.baudRate = found;
    s.rtsEnable = false;
    applyAndPause(port, clock, s);
    writeByteAndPause(port, clock, kCradleCommand);
    Byte code = kLinkSpeeds[0].cradleCode;
    for (const LinkSpeed& sp : kLinkSpeeds)
        if (sp.baudRate == downloadBaud) code = sp.cradleCode;
    writeByteAndPause(port, clock, code);
    writeByteAndPause(port, clock, kCradleQuit);
    s.baudRate = downloadBaud;
    s.rtsEnable = true;
    applyAndPause(port, clock, s);
    return true;
}

SerialOpenResult openSerialLink(SerialDevice& port, Clock& clock, DownloadUi& ui,
                                const LinkChoice& choice) {
    if (!port.open(choice.port)) {
        ui.message(msg::kCantOpenPort, kDownloadCaption, MessageIcon::Warning);
        return SerialOpenResult::PortUnavailable;
    }
    const std::size_t speed = static_cast<std::size_t>(choice.speed) < kLinkSpeeds.size()
                                  ? static_cast<std::size_t>(choice.speed)
                                  : 0;
    LineSettings s;
    s.baudRate = kLinkSpeeds[speed].baudRate;
    if (choice.via == kViaCradle && !setUpCradle(port, clock, s.baudRate, s)) {
        ui.message(msg::kCradleFailed, kDownloadCaption, MessageIcon::Warning);
        port.close();
        return SerialOpenResult::CradleFailed;
    }
    if (!port.apply(s)) {
        ui.message(msg::kCommStateFailed, kDownloadCaption, MessageIcon::Warning);
        port.close();
        return SerialOpenResult::LineRefused;
    }
    return SerialOpenResult::Open;
}

void SerialLink::discardInput() {
    Deadline limit(clock(), kDrainLimitMs);
    Byte b = 0;
    while (port_.read(&b, 1) == 1 && !limit.passed()) {
    }
}

}  // namespace varomil
