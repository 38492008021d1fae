#include "settings/key_roles.h"

#include "settings/value_lists.h"

namespace varomil {

namespace {

constexpr int kFirstChoice = 1;
constexpr int kLastChoice = 10;  // FN+0

bool validChoice(int choice) {
    return choice >= kFirstChoice && choice <= kLastChoice;
}

// A role key keeps the code of the host key with the choice's number (FN+0 is
// F10), so that a later release finds a sensible code already in place.
void writeRecord(SettingsImage& image, const FunctionKeyTable& table, int choice, Byte first,
                 Byte hostKey) {
    const std::size_t record = static_cast<std::size_t>(choice % 10);
    const Field rec = slot::binding(record);
    image.setByte(rec, first, 0);
    image.setByte(rec, hostKey, 1);
    image.setByte(rec, 0, 2);
    const KeyCode code = table.entry(0, static_cast<unsigned>(choice));
    image.setRaw(slot::sequence(record), code.data(), code.size());
}

std::size_t recordOf(int choice) {
    return static_cast<std::size_t>(choice % 10);
}

}  // namespace

void KeyRoleMemory::remember(const SettingsImage& image, int choice) {
    if (!validChoice(choice) || keyTaken(image, choice)) return;
    const std::size_t n = recordOf(choice);
    Held h{};
    for (std::size_t i = 0; i < h.record.size(); ++i) h.record[i] = image.byte(slot::binding(n), i);
    for (std::size_t i = 0; i < h.code.size(); ++i) h.code[i] = image.byte(slot::sequence(n), i);
    held_[n] = h;
}

bool KeyRoleMemory::restore(SettingsImage& image, int choice) {
    if (!validChoice(choice)) return false;
    std::optional<Held>& h = held_[recordOf(choice)];
    if (!h) return false;
    image.setRaw(slot::binding(recordOf(choice)), h->record.data(), h->record.size());
    image.setRaw(slot::sequence(recordOf(choice)), h->code.data(), h->code.size());
    h.reset();
    return true;
}

KeyRoleMemory& keyRoleMemory() {
    static KeyRoleMemory memory;
    return memory;
}

bool keyTaken(const SettingsImage& image, int choice) {
    if (!validChoice(choice)) return false;
    return image.byte(slot::binding(static_cast<std::size_t>(choice % 10)), 0) >= lists::kFirstRole;
}

void assignRole(SettingsImage& image, const FunctionKeyTable& table, int choice, KeyRole role) {
    if (!validChoice(choice)) return;
    writeRecord(image, table, choice, static_cast<Byte>(role), 0);
}

void releaseRole(SettingsImage& image, const FunctionKeyTable& table, int choice) {
    if (!validChoice(choice)) return;
    writeRecord(image, table, choice, 0, static_cast<Byte>(choice));
}

bool holdsRole(const SettingsImage& image, int choice, KeyRole role) {
    if (!validChoice(choice)) return false;
    return image.byte(slot::binding(static_cast<std::size_t>(choice % 10)), 0) ==
           static_cast<Byte>(role);
}

bool chooseRoleKey(SettingsImage& image, const FunctionKeyTable& table, Field selector,
                   KeyRole role, int choice, KeyRoleMemory* memory) {
    const int previous = image.byte(selector);
    if (choice != 0 && choice != previous && keyTaken(image, choice)) return false;
    if (previous != choice && holdsRole(image, previous, role) &&
        !(memory && memory->restore(image, previous))) {
        releaseRole(image, table, previous);
    }
    if (memory && choice != previous) memory->remember(image, choice);
    if (choice != 0) assignRole(image, table, choice, role);
    image.setByte(selector, static_cast<Byte>(choice));
    return true;
}

}  // namespace varomil
