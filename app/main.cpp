#include "app/startup.h"
#ifdef _WIN32
// On Windows SDL starts the program (its WinMain hands over UTF-8 arguments), and calls this
// `main` under the name SDL_main.
#include <SDL_main.h>
#endif

int main(int argc, char** argv) {
  return Main(argc, argv);
}
