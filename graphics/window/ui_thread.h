// The one thread that makes every call into the windowing system. It is started
// by the first window (or input box) and kept until its owner ends.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>

union SDL_Event;

namespace korvi::window {

// Receives the events of one window, on the UI thread.
class EventHandler {
 public:
  virtual ~EventHandler() = default;
  virtual void handle_event(const SDL_Event& event) = 0;
};

class UiThread {
 public:
  // Starts the thread and waits until the windowing system is initialised (or
  // has failed: see available()).
  UiThread();
  // Stops the loop and joins the thread; windows still registered get no more
  // events.
  ~UiThread();
  UiThread(const UiThread&) = delete;
  UiThread& operator=(const UiThread&) = delete;

  // Whether a display could be opened; when not, error() says why.
  bool available() const { return m_available; }
  const std::string& error() const { return m_error; }
  // Once available: the video driver running ("x11", "wayland", "offscreen", ...).
  const std::string& driver() const { return m_driver; }
  // Once available: how many screen pixels wide each picture pixel shows (1 to 4).
  int scale() const { return m_scale; }
  // Whether programs may place their own windows (Wayland lets none).
  bool places_windows() const { return m_driver != "wayland"; }

  // Runs the task on the UI thread and waits for it, like a sent message. On
  // the UI thread itself the task runs at once. Without a display the task runs
  // on the caller's thread (it must then not touch the windowing system).
  void call(const std::function<void()>& task);
  // Queues the task for the UI thread and returns at once.
  void post(std::function<void()> task);
  bool on_ui_thread() const { return std::this_thread::get_id() == m_thread.get_id(); }

  // UI thread only: routes the events of a window to a handler. Every window has
  // one; while none is registered the thread sleeps until the next request.
  void add_handler(std::uint32_t window_id, EventHandler* handler);
  void remove_handler(std::uint32_t window_id);

  // Thread-safe: wakes the UI thread with a user event carrying a code and a
  // window id, delivered to that window's handler.
  void push_window_event(std::uint32_t window_id, int code);
  // The SDL event type of events made by push_window_event.
  std::uint32_t window_event_type() const { return m_user_event; }

 private:
  void run();
  // Runs the task that a wake-up event announced. Each posted task comes with
  // exactly one wake-up event, so tasks and window events keep the order in
  // which they were sent. Returns false when the loop is to stop.
  bool run_next_task();
  void dispatch(const SDL_Event& event);
  void wake();

  std::thread m_thread;
  bool m_available = false;
  std::string m_error;
  std::string m_driver;
  int m_scale = 1;
  std::uint32_t m_user_event = 0;  // tasks; m_user_event + 1: window events

  std::mutex m_mutex;
  std::condition_variable m_task_queued;  // waited on while no window exists
  std::deque<std::function<void()>> m_tasks;
  bool m_stopping = false;

  std::map<std::uint32_t, EventHandler*> m_handlers;  // UI thread only
};

}  // namespace korvi::window
