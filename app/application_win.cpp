#include "app/application_win.h"

#include "app/about_box_win.h"
#include "command_line/command_line.h"
#include "app/document.h"
#include "app/main_window_win.h"
#include "app/recent_files_win.h"
#include "host/terminal_window_win.h"
#include "resources/resource_ids.h"
#include "site/site_window_win.h"

namespace varomil {

namespace {
struct AppStrings {
    std::string className;
    std::string title;
};

AppStrings& strings() {
    static AppStrings s;
    return s;
}

bool registerWindowClasses(HINSTANCE instance) {
    WNDCLASSA main{};
    main.style = CS_HREDRAW | CS_VREDRAW;
    main.lpfnWndProc = MainWindowProc;
    main.hInstance = instance;
    main.hIcon = LoadIconA(instance, "VAROMIL");
    main.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    main.lpszMenuName = "VAROMIL";
    main.lpszClassName = strings().className.c_str();
    if (RegisterClassA(&main) == 0) return false;

    WNDCLASSA client{};
    client.style = CS_HREDRAW | CS_VREDRAW;
    client.lpfnWndProc = TerminalWindowProc;
    client.hInstance = instance;
    client.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    client.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    client.lpszClassName = kTerminalClassName;
    return RegisterClassA(&client) != 0;
}
}  // namespace

const std::string& mainClassName() {
    return strings().className;
}
const std::string& windowTitle() {
    return strings().title;
}

bool startApplication(HINSTANCE instance) {
    strings().className = loadResourceString(IDS_CLASS_NAME);
    strings().title = loadResourceString(IDS_TITLE);
    loadProductTable(document(), loadResourceString(IDS_PRODUCT_COUNT), [](int i) {
        return loadResourceString(static_cast<UINT>(IDS_FIRST_PRODUCT + i));
    });
    return registerWindowClasses(instance);
}

HWND createMainWindow(HINSTANCE instance, int show) {
    const int width = GetSystemMetrics(SM_CXSCREEN) - 30;
    const int height = GetSystemMetrics(SM_CYSCREEN) - 60;
    HWND hwnd = CreateWindowA(strings().className.c_str(), strings().title.c_str(),
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 15, 15, width, height, nullptr,
                              nullptr, instance, nullptr);
    if (hwnd == nullptr) return nullptr;
    showRecentFiles(hwnd);
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    SetFocus(mainWindow().selector);
    return hwnd;
}

bool translateFrameMessage(HWND mainWindow, HACCEL accelerators, MSG& msg) {
    if (handleFrameKey(msg)) return true;
    // Ctrl+letter typed into the connected terminal belongs to the host.
    if (terminalTakesKeys()) return false;
    return TranslateAcceleratorA(mainWindow, accelerators, &msg) != 0;
}

int runMessageLoop(HWND mainWindow) {
    HACCEL accelerators = LoadAcceleratorsA(GetModuleHandleA(nullptr), strings().className.c_str());
    HACCEL treeKeys = LoadAcceleratorsA(GetModuleHandleA(nullptr), "SUMMARYTREE");
    MSG msg{};
    // GetMessage gives -1 on an invalid call: end the loop rather than spin.
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.hwnd == varomil::mainWindow().tree &&
            TranslateAcceleratorA(mainWindow, treeKeys, &msg)) {
            continue;
        }
        // Before the frame's keys: Ctrl+C in the window's fields is a copy.
        if (siteWindowMessage(msg)) continue;
        if (translateFrameMessage(mainWindow, accelerators, msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void openCommandLineFile(HWND frame, const char* commandLine) {
    // A file that is not there or not a settings file is said so, as Open says it.
    const CommandLine c =
        parseCommandLine(commandLineArguments(commandLine != nullptr ? commandLine : ""));
    if (c.kind == CommandLine::Kind::Interactive && !c.file.empty()) openNamedFile(frame, c.file);
}

int runApplication(HINSTANCE instance, int show) {
    if (!startApplication(instance)) return 0;
    HWND hwnd = createMainWindow(instance, show);
    if (hwnd == nullptr) return 0;
    showAboutBox(hwnd);
    openCommandLineFile(hwnd, GetCommandLineA());
    return runMessageLoop(hwnd);
}

}  // namespace varomil
