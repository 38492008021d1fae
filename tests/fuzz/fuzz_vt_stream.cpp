// Feeds arbitrary host bytes through the telnet layer and the interpreter, in
// blocks as a socket would deliver them, with local echo and keys mixed in, and
// checks that the screen state stays in range after every block.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "host/host_session.h"
#include "settings/factory_defaults.h"

using namespace varomil;

namespace {

void checkScreen(const TerminalScreen& s, const ScreenNotifications& n) {
    if (s.row < 0 || s.row >= kScreenRows) std::abort();
    if (s.column < 0 || s.column > kScreenColumns) std::abort();
    if (s.saved.row < 0 || s.saved.row >= kScreenRows) std::abort();
    if (s.saved.column < 0 || s.saved.column > kScreenColumns) std::abort();
    if (s.topMargin < 1 || s.bottomMargin > kScreenRows || s.topMargin >= s.bottomMargin)
        std::abort();
    if (n.spanCount() > ScreenNotifications::kMaxSpans) std::abort();
    for (std::size_t i = 0; i < n.spanCount(); ++i) {
        const ScreenSpan& sp = n.spanAt(i);
        if (sp.row < 0 || sp.row >= kScreenRows || sp.column < 0 || sp.length <= 0 ||
            sp.column + sp.length > kScreenColumns)
            std::abort();
    }
    if (n.cursorChanged() && (n.cursorRow() < 0 || n.cursorRow() >= kScreenRows ||
                              n.cursorColumn() < 0 || n.cursorColumn() > kScreenColumns))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static SettingsImage* image = [] {
        auto* img = new SettingsImage;
        auto comp = std::make_unique<Companions>();
        applyFactoryDefaults(*img, *comp, 2);
        img->setFlag(fld::AutoLogin, true);
        img->setText(fld::LoginName, "user");
        img->setText(fld::LoginPassword, "pw");
        return img;
    }();
    NullSink out;
    auto session = std::make_unique<HostSession>(out);
    session->beginConnection(settingsForConnection(*image));

    // The first byte picks the block size; 0xFE and 0xFD in the stream stand for a
    // typed character and a key between blocks.
    const std::size_t block = size > 0 ? 1 + data[0] % 64 : 1;
    std::size_t i = size > 0 ? 1 : 0;
    while (i < size) {
        const std::size_t n = size - i < block ? size - i : block;
        session->receive(data + i, n);
        checkScreen(session->screen(), session->takeNotifications());
        const std::uint8_t last = data[i + n - 1];
        if (last == 0xFE) session->typeCharacter(static_cast<std::uint8_t>(n));
        if (last == 0xFD) session->pressKey(static_cast<HostKey>(n % 31));
        checkScreen(session->screen(), session->takeNotifications());
        i += n;
    }
    session->endOfStream();
    return 0;
}
