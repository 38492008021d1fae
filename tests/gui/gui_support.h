// Helpers of the GUI tests: scripted answers to message boxes, a hook that drives
// modal dialogs, a fresh main window per test and read-back of control states.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/command_ids.h"
#include "shell/file_dialog_win.h"

namespace varomil::test {

// Makes every message box and file dialog that no script answers fail the test
// and cancel, instead of waiting for a user.
void refuseUnscriptedDialogs();

struct MessageBoxCall {
    HWND owner;
    std::string text;
    std::string caption;
    UINT flags;
    std::string statusText;  // the status bar while the box was up
};

// Answers every message box of the program from a queue while it lives; a box
// with no answer left fails the test and is answered with IDCANCEL.
class ScriptedMessageBoxes {
  public:
    ScriptedMessageBoxes();
    ~ScriptedMessageBoxes();
    ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
    ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

    void answer(int button) { answers_.push_back(button); }
    const std::vector<MessageBoxCall>& calls() const { return calls_; }

  private:
    std::deque<int> answers_;
    std::vector<MessageBoxCall> calls_;
};

// Answers the Open and Save As dialogs with queued names ("" = Cancel) and
// records what the program asked for; a dialog with no answer left fails the test.
class ScriptedFileDialogs {
  public:
    struct Call {
        FileDialogKind kind;
        std::string filter;  // the first entry: text, NUL, pattern, NUL
        DWORD flags;
        std::string defaultExtension;
        std::string initialDir;
    };
    ScriptedFileDialogs();
    ~ScriptedFileDialogs();
    ScriptedFileDialogs(const ScriptedFileDialogs&) = delete;
    ScriptedFileDialogs& operator=(const ScriptedFileDialogs&) = delete;

    void choose(const std::string& name) { names_.push_back(name); }
    const std::vector<Call>& calls() const { return calls_; }

  private:
    std::deque<std::string> names_;
    std::vector<Call> calls_;
};

// Runs an action once per modal dialog of this thread, when the dialog is
// activated (its controls are initialised by then). The action must not block:
// it reads what it needs and posts the button that closes the dialog.
class DialogHook {
  public:
    explicit DialogHook(std::function<void(HWND dialog)> action);
    ~DialogHook();
    DialogHook(const DialogHook&) = delete;
    DialogHook& operator=(const DialogHook&) = delete;

    int dialogsSeen() const { return seen_; }

  private:
    static LRESULT CALLBACK hookProc(int code, WPARAM wParam, LPARAM lParam);
    std::function<void(HWND)> action_;
    HHOOK hook_ = nullptr;
    std::vector<HWND> handled_;
    int seen_ = 0;
};

// Checks a recorded message box: exact text and caption, and the flags under `mask`.
void expectBox(const MessageBoxCall& call, const std::string& text, const std::string& caption,
               UINT flags, UINT mask = ~0u);

// Runs `action` with message boxes answered from `boxes` and file dialogs from
// `files` ("" = Cancel); every answer must be used. Returns what was asked.
struct Asked {
    std::vector<MessageBoxCall> boxes;
    std::vector<ScriptedFileDialogs::Call> files;
};
Asked answering(std::initializer_list<int> boxes, std::initializer_list<std::string> files,
                const std::function<void()>& action);

// A scratch file name in the temp folder, unique to this test process.
std::string scratchPath(const std::string& name);
std::string fileBytes(const std::string& path);

// Destroys the main window if there is one and creates a new one, shown.
HWND freshMainWindow();
// Removes the quit message a destroyed main window leaves behind.
void drainQuitMessage();

std::string windowText(HWND hwnd);
std::string statusText();
std::string dialogItemText(HWND dialog, int id);
bool buttonEnabled(int command);
bool menuItemEnabled(int command);
// Rectangle of a child window in the client coordinates of its parent.
RECT childRect(HWND child);

// Sends a command as the menu, an accelerator or a toolbar button would.
void sendCommand(int command);
// Selects an item of the product selector and notifies as the combo box does,
// through its parent, the toolbar.
void chooseProduct(int item);

// The program's name, the caption of its message boxes and its window title.
inline const std::string kProgramTitle = "Varomil Terminal Emulation For VT";

// A fixture with a fresh main window and, unless 0, that product chosen.
template <int Product>
class FreshWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        frame = freshMainWindow();
        ASSERT_NE(frame, nullptr);
        if (Product != 0) chooseProduct(Product);
    }
    HWND frame = nullptr;
};

// Compares `log` with tests/data/gui/`name` less its '#' comment lines.
void expectLog(const std::string& name, const std::string& log);
// `text` with this process's scratch path prefix shown as "<tmp>".
std::string scrubbed(std::string text);
// One line per question asked, the boxes first, paths scrubbed and line breaks
// as "\n": box "CAPTION" FLAGS: TEXT, and open|save FILTER flags FLAGS ext "EXT"
// dir "DIR" (flags in hex, the filter's NULs as '|').
std::string describe(const Asked& asked);
// The document in one line: product, file name (scrubbed, or none) and modified mark.
std::string documentState();
// What `answering` asked, described, followed by the document's state; or what
// a command asked.
std::string logged(std::initializer_list<int> boxes, std::initializer_list<std::string> files,
                   const std::function<void()>& action);
std::string loggedCommand(int command, std::initializer_list<int> boxes = {},
                          std::initializer_list<std::string> files = {});
// Runs `open`, which shows a popup menu, and returns the menu's items ("ID TEXT|"),
// read while it is up; the menu is then closed.
std::string popupMenuItems(const std::function<void()>& open);

}  // namespace varomil::test
