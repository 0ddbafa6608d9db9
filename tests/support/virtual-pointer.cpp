// A pointer for a compositor that has none (a headless sway): a virtual pointer device
// (the wlroots virtual-pointer protocol) driven by lines on standard input:
//   move X Y      the pointer to (X, Y) in the layout of all outputs, whose size is given once as
//   layout W H    (before the first move)
//   press N / release N   button N (1 left, 2 right, 3 middle)
// Each line is sent at once; "ok" is written back after the compositor has taken it. The device
// exists until standard input ends.
#include <wayland-client.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

namespace {
// The protocol's interfaces, written out here as its generated code would have them.
extern const wl_interface kVirtualPointer;

const wl_interface* kNoTypes[] = {nullptr, nullptr, nullptr, nullptr, nullptr};
const wl_interface* kCreateTypes[] = {&wl_seat_interface, &kVirtualPointer};

const wl_message kPointerRequests[] = {
    {"motion", "uff", kNoTypes},   {"motion_absolute", "uuuuu", kNoTypes},
    {"button", "uuu", kNoTypes},   {"axis", "uuf", kNoTypes},
    {"frame", "", kNoTypes},       {"axis_source", "u", kNoTypes},
    {"axis_stop", "uu", kNoTypes}, {"axis_discrete", "uufi", kNoTypes},
    {"destroy", "", kNoTypes},
};
const wl_interface kVirtualPointer = {"zwlr_virtual_pointer_v1", 1, 9, kPointerRequests, 0, nullptr};

const wl_message kManagerRequests[] = {
    {"create_virtual_pointer", "?on", kCreateTypes},
    {"destroy", "", kNoTypes},
};
const wl_interface kManager = {"zwlr_virtual_pointer_manager_v1", 1, 2, kManagerRequests, 0, nullptr};

enum { kMotionAbsolute = 1, kButton = 2, kFrame = 4, kCreate = 0 };
constexpr std::uint32_t kLinuxButtons[] = {0x110, 0x111, 0x112};  // BTN_LEFT, BTN_RIGHT, BTN_MIDDLE

struct Globals {
    wl_seat* seat = nullptr;
    wl_proxy* manager = nullptr;
};

void Global(void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t) {
    auto* globals = static_cast<Globals*>(data);
    if (std::strcmp(interface, "wl_seat") == 0 && !globals->seat)
        globals->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, kManager.name) == 0)
        globals->manager = static_cast<wl_proxy*>(wl_registry_bind(registry, name, &kManager, 1));
}

void GlobalRemove(void*, wl_registry*, std::uint32_t) {}

std::uint32_t Now() {
    static std::uint32_t time = 0;
    return time += 10;
}
}  // namespace

int main() {
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "virtual-pointer: no Wayland compositor to connect to\n");
        return 1;
    }
    Globals globals;
    const wl_registry_listener listener = {Global, GlobalRemove};
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &globals);
    wl_display_roundtrip(display);
    if (!globals.manager) {
        std::fprintf(stderr, "virtual-pointer: the compositor offers no virtual pointers\n");
        return 1;
    }
    auto* pointer = wl_proxy_marshal_constructor(globals.manager, kCreate, &kVirtualPointer, globals.seat, nullptr);
    wl_display_roundtrip(display);
    std::uint32_t width = 1, height = 1;
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string command;
        long a = 0, b = 0;
        words >> command >> a >> b;
        if (command == "layout" && a > 0 && b > 0) {
            width = std::uint32_t(a);
            height = std::uint32_t(b);
        } else if (command == "move" && a >= 0 && b >= 0) {
            wl_proxy_marshal(pointer, kMotionAbsolute, Now(), std::uint32_t(a), std::uint32_t(b), width, height);
            wl_proxy_marshal(pointer, kFrame);
        } else if ((command == "press" || command == "release") && a >= 1 && a <= 3) {
            wl_proxy_marshal(pointer, kButton, Now(), kLinuxButtons[a - 1], command == "press" ? 1u : 0u);
            wl_proxy_marshal(pointer, kFrame);
        } else {
            std::fprintf(stderr, "virtual-pointer: cannot do \"%s\"\n", line.c_str());
            continue;
        }
        wl_display_roundtrip(display);
        std::printf("ok\n");
        std::fflush(stdout);
    }
    wl_proxy_marshal(pointer, 8);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
