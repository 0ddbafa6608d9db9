// A stand-in for the small monitor of Windows' Screen Saver Settings dialog: a window of the
// preview's size that starts "Skyglow.scr /p HWND" inside itself and keeps it for a while, for
// screenshots and for trying the preview by hand under Wine.
// Usage: preview-host SCR [SECONDS]   (default 20 seconds; the window's close box ends it sooner)
#include <windows.h>

#include <cwchar>
#include <string>

namespace {
constexpr int kPreviewWidth = 152, kPreviewHeight = 112;  // the monitor picture's inside

HWND CreateMonitor() {
    RECT r{0, 0, kPreviewWidth, kPreviewHeight};
    ::AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, 0);
    return ::CreateWindowExW(0, L"STATIC", L"Preview host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 80, 80,
                             r.right - r.left, r.bottom - r.top, nullptr, nullptr, ::GetModuleHandleW(nullptr),
                             nullptr);
}

bool StartPreview(const wchar_t* scr, HWND monitor, PROCESS_INFORMATION& process) {
    std::wstring command = L"\"" + std::wstring(scr) + L"\" /p " +
                           std::to_wstring(static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(monitor)));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    return ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process) != 0;
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return 2;
    const long seconds = argc > 2 ? std::wcstol(argv[2], nullptr, 10) : 20;
    const HWND monitor = CreateMonitor();
    PROCESS_INFORMATION process{};
    if (!monitor || !StartPreview(argv[1], monitor, process))
        return 1;
    const ULONGLONG end = ::GetTickCount64() + ULONGLONG(seconds > 0 && seconds < 3600 ? seconds : 20) * 1000;
    MSG msg;
    while (::IsWindow(monitor) && ::GetTickCount64() < end) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(20);
    }
    if (::IsWindow(monitor))
        ::DestroyWindow(monitor);  // the preview ends with its window
    ::WaitForSingleObject(process.hProcess, 10000);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
    return 0;
}
