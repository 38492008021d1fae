// How the pages of the settings sheet keep or undo their edits and mark the
// settings as modified, from the sheet's opening to its closing. Windowless, so
// the order rules are tested natively; the page procedures call it.
#pragma once

#include <array>
#include <cstddef>
#include <memory>

#include "settings/settings_image.h"

namespace varomil {

enum class PageProtocol {
    Snapshot,  // clears the flag and takes a snapshot when created; restores it on Cancel
    Deferred,  // keeps its edits in its controls until applied; takes no snapshot
};

// The image with the companion areas, taken together so that a restore never
// leaves captured screens, key codes or reader blocks out of step with the image.
struct SettingsSnapshot {
    SettingsImage image;
    Companions companions;
};

class SheetSession {
  public:
    static constexpr std::size_t kMaxPages = 8;

    SheetSession(SettingsImage& image, Companions& companions, bool& modified);
    ~SheetSession();
    SheetSession(const SheetSession&) = delete;
    SheetSession& operator=(const SheetSession&) = delete;

    // A page was created (its tab shown the first time).
    void pageCreated(std::size_t page, PageProtocol protocol);
    // OK reached a created page.
    void pageApplied(std::size_t page, PageProtocol protocol);
    // Cancel was pressed while this page was on display.
    void pageCancelled(std::size_t page, PageProtocol protocol);
    // The sheet closed. After Cancel the flag is what it was at opening, or set
    // when the settings differ from then (a Cancel on a later page keeps edits
    // made on earlier ones, and those must still be announced at Exit).
    void closed(bool ok);

  private:
    void restore(const SettingsSnapshot& s);
    SettingsImage& image_;
    Companions& companions_;
    bool& modified_;
    bool modifiedAtOpen_;
    std::unique_ptr<SettingsSnapshot> atOpen_;
    std::array<std::unique_ptr<SettingsSnapshot>, kMaxPages> pages_;
};

}  // namespace varomil
