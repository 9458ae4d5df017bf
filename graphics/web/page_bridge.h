// The page side of the web backend: the functions of korvi_page.js that make and
// feed the canvases, and the registry that routes the page's events to the
// windows. Window ids are shared by graphics windows and dialogs.
#pragma once

#include <cstdint>
#include <vector>

union SDL_Event;

namespace korvi::window {
class EventHandler;
}

extern "C" {
// korvi_page.js: a canvas of width x height program pixels, each shown as
// scale x scale device pixels; (re)made for the window id. Dialogs float above the
// page's graphics window with a title bar.
void korvi_page_open_canvas(std::uint32_t id, int width, int height, int scale, const char* title,
                            int is_dialog);
void korvi_page_close_canvas(std::uint32_t id);
void korvi_page_resize_canvas(std::uint32_t id, int width, int height, int scale);
// RGBA bytes, (width * scale) x (height * scale), packed.
void korvi_page_put_pixels(std::uint32_t id, const void* rgba, int width, int height);
// Calls korvi_web_present(id) at the browser's next frame.
void korvi_page_request_frame(std::uint32_t id);
void korvi_page_focus(std::uint32_t id);
// The display scale: the page's device pixel ratio rounded, 1 to 4 (or the
// page's ?scale=N).
int korvi_page_scale();
// The program's name as the page gives it.
int korvi_page_program_name(char* buffer, int size);
void korvi_page_set_clipboard(const char* text);
double korvi_page_now_ms();
}

namespace korvi::web {

std::uint32_t next_window_id();
void register_handler(std::uint32_t id, window::EventHandler* handler);
void unregister_handler(std::uint32_t id);
// Delivers an event to the window's handler; nothing when it has none.
void deliver(std::uint32_t id, const SDL_Event& event);

// The pixels on their way to a canvas. One for the page: it runs on one thread and
// presents one canvas at a time.
std::vector<std::uint32_t>& canvas_scratch();

// The modifier keys of the page's latest input event, as SDL's KMOD_ flags.
std::uint16_t modifier_state();

// The event type of a window's own events (presenting); user.code says which.
constexpr std::uint32_t WINDOW_EVENT_TYPE = 0x8001;  // SDL_USEREVENT + 1
constexpr int PRESENT = 1;

}  // namespace korvi::web
