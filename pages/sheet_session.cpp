#include "pages/sheet_session.h"

#include <algorithm>

namespace varomil {

namespace {
std::unique_ptr<SettingsSnapshot> take(const SettingsImage& image, const Companions& c) {
    auto s = std::make_unique<SettingsSnapshot>();
    s->image = image;
    s->companions = c;
    return s;
}

bool same(const Companions& a, const Companions& b) {
    return a.reader1D == b.reader1D && a.reader2D == b.reader2D &&
           a.capturedScreens == b.capturedScreens && a.functionKeys.raw() == b.functionKeys.raw();
}
}  // namespace

SheetSession::SheetSession(SettingsImage& image, Companions& companions, bool& modified)
    : image_(image),
      companions_(companions),
      modified_(modified),
      modifiedAtOpen_(modified),
      atOpen_(take(image, companions)) {}

SheetSession::~SheetSession() = default;

void SheetSession::pageCreated(std::size_t page, PageProtocol protocol) {
    if (protocol != PageProtocol::Snapshot || page >= kMaxPages) return;
    modified_ = false;
    pages_[page] = take(image_, companions_);
}

void SheetSession::pageApplied(std::size_t, PageProtocol protocol) {
    if (protocol == PageProtocol::Snapshot) modified_ = true;
}

void SheetSession::pageCancelled(std::size_t page, PageProtocol protocol) {
    if (modified_) return;
    if (protocol == PageProtocol::Snapshot) {
        if (page < kMaxPages && pages_[page]) restore(*pages_[page]);
        return;
    }
    // A deferred page has no snapshot of its own but may have changed the image
    // (its Reset does): go back to the state the sheet opened with, which is
    // the snapshot of the page created first.
    restore(*atOpen_);
}

void SheetSession::closed(bool ok) {
    if (ok) return;
    const bool changed =
        image_.bytes() != atOpen_->image.bytes() || !same(companions_, atOpen_->companions);
    modified_ = modifiedAtOpen_ || modified_ || changed;
}

void SheetSession::restore(const SettingsSnapshot& s) {
    image_ = s.image;
    companions_ = s.companions;
}

}  // namespace varomil
