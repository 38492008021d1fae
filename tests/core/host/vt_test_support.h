// A host session on a factory image with a recording sink, for the host tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/host_session.h"
#include "settings/factory_defaults.h"
#include "tests/core/golden.h"

namespace varomil {

struct SessionRig {
    SessionRig() {
        applyFactoryDefaults(*image, *companions, 1);
        connect();
        session->takeNotifications();
    }
    // A new connection, with the settings of the image as they are now.
    void connect() { session->beginConnection(settingsForConnection(*image)); }
    void feed(const std::string& bytes) {
        session->receive(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    // A row as text: empty cells as blanks, trailing blanks removed.
    std::string row(int r) const {
        std::string s = session->screen().rowText(r);
        for (char& ch : s)
            if (ch == 0) ch = ' ';
        s.erase(s.find_last_not_of(' ') + 1);
        return s;
    }
    const TerminalScreen& screen() const { return session->screen(); }

    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
    std::unique_ptr<Companions> companions = std::make_unique<Companions>();
    RecordingSink out;
    std::unique_ptr<HostSession> session = std::make_unique<HostSession>(out);
};

inline std::vector<std::vector<std::string>> caseFile(const std::string& name) {
    return readCases("host/" + name);
}

}  // namespace varomil
