#pragma once
// The visible screen: the main window, full screen by default as a desktop-sized window with the
// 800 x 600 picture scaled to fit, its aspect kept (black bars). Alt+Enter switches to a window.
#include <memory>
#include <string>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
class Surface;

class Display {
 public:
  Display();
  ~Display();
  Display(const Display&) = delete;
  Display& operator=(const Display&) = delete;

  // Creates the window (no picture yet). Throws GameError when the system refuses.
  void Open(const std::string& sCaption);
  // Sets up the renderer for a picture of nWidth x nHeight pixels. Throws on failure.
  void SetMode(int nWidth, int nHeight);
  // Shows the given surface (the primary surface) on the screen.
  void Present(const Surface& surface);
  bool IsOpen() const { return window_ != nullptr; }
  SDL_Window* Window() const { return window_; }

 private:
  void Close();

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  bool video_started_ = false;
};
