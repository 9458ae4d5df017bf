// The UI thread of a page: the browser's own thread. The program runs on it too,
// and gives the browser its turn whenever it waits (browser_wait.h), so every
// windowing call runs at once, on the caller's thread.
#include "ui_thread.h"

#include <SDL.h>

#include "page_bridge.h"

namespace korvi::window {

UiThread::UiThread() {
  m_available = true;
  m_user_event = SDL_USEREVENT;
}

UiThread::~UiThread() { m_stopping = true; }

void UiThread::call(const std::function<void()>& task) { task(); }

void UiThread::post(std::function<void()> task) { task(); }

void UiThread::add_handler(std::uint32_t window_id, EventHandler* handler) {
  m_handlers[window_id] = handler;
  web::register_handler(window_id, handler);
}

void UiThread::remove_handler(std::uint32_t window_id) {
  m_handlers.erase(window_id);
  web::unregister_handler(window_id);
}

void UiThread::push_window_event(std::uint32_t window_id, int code) {
  if (code == web::PRESENT) korvi_page_request_frame(window_id);
}

// Nothing runs a loop of its own: the browser's event loop is the loop.
void UiThread::run() {}
bool UiThread::run_next_task() { return false; }
void UiThread::dispatch(const SDL_Event&) {}
void UiThread::wake() {}

}  // namespace korvi::window
