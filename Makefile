# The two commands that matter: `make run` and `make test`. Both set the machine up first.
BUILD ?= build
CONFIG ?= RelWithDebInfo
ARGS ?=
# The sanitized build (clang, AddressSanitizer + UndefinedBehaviorSanitizer, libFuzzer programs).
SANITIZE_BUILD ?= build-sanitize
FUZZ_SECONDS ?= 60
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitize/lsan.supp:print_suppressions=0

# The browser build: the page and everything it loads in WEB_BUILD/site.
WEB_BUILD ?= build-web
WEB_PORT ?= 8080

.PHONY: bench-instructions setup configure build run test bench clean test-sanitize fuzz sanitize-build listening contact-sheet install deb test-deb web serve-web test-web windows test-windows

setup:
	@scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(CONFIG) > /dev/null

build: configure
	@cmake --build $(BUILD)

run: build
	cd $(BUILD)/game && ./pibo2 $(ARGS)

test: build
	cd $(BUILD) && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ctest --output-on-failure -j2

sanitize-build: setup
	@cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DPIBO_SANITIZE=ON -DPIBO_FUZZ=ON > /dev/null
	@$(SANITIZER_ENV) cmake --build $(SANITIZE_BUILD)

test-sanitize: sanitize-build
	cd $(SANITIZE_BUILD) && $(SANITIZER_ENV) SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
	  ctest --output-on-failure -j2

fuzz: sanitize-build
	@$(SANITIZER_ENV) tests/fuzz/run.sh $(SANITIZE_BUILD) $(FUZZ_SECONDS)

# Every picture 2x with its frames outlined, and the first level of every stage, in one PNG.
contact-sheet: build
	@$(BUILD)/tools/review/pibo-contact-sheet $(BUILD)/game $(BUILD)/contact-sheet.png

# Every sound effect and 20 s of each music track in one WAV, for listening through.
listening: build
	@tools/review/listening.sh $(BUILD)/game $(BUILD)/listening.wav

# The game into PREFIX (default /usr/local); DESTDIR stages it elsewhere, as packagers do.
PREFIX ?= /usr/local
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

# The game as a web page, built with Debian's emscripten; the libraries it needs are built once
# from Debian's source packages and kept in ~/.cache/pibo2 (PIBO_CACHE).
web: build
	@scripts/setup.sh web
	@scripts/web_build.sh $(BUILD) $(WEB_BUILD)

# Serves the page on http://127.0.0.1:$(WEB_PORT)/ until stopped.
serve-web: web
	node web/serve.mjs $(WEB_BUILD)/site $(WEB_PORT)

# The page played in Debian's Chromium, headless; the simulator under node.
test-web: web
	@cd tests/web && npm ci --no-audit --no-fund --loglevel=error
	node tests/web/web_test.mjs $(WEB_BUILD) $(BUILD)

# The Debian package, built with Debian's hardening flags in a build of its own, and checked
# by lintian: no error and no warning.
DEB_BUILD ?= build-deb
deb: setup
	@DEB_BUILD_MAINT_OPTIONS=hardening=+all; export DEB_BUILD_MAINT_OPTIONS; \
	  cmake -S . -B $(DEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
	  "-DCMAKE_CXX_FLAGS=$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	  "-DCMAKE_EXE_LINKER_FLAGS=$$(dpkg-buildflags --get LDFLAGS)" > /dev/null
	@cmake --build $(DEB_BUILD) --target pibo2 game_files desktop_icons install_docs
	@rm -f $(DEB_BUILD)/pibo2_*.deb
	@cd $(DEB_BUILD) && cpack > cpack.log || { cat cpack.log; exit 1; }
	@lintian --fail-on error,warning --info $(DEB_BUILD)/pibo2_*.deb
	@rm -rf $(DEB_BUILD)/unpacked && dpkg-deb -x $(DEB_BUILD)/pibo2_*.deb $(DEB_BUILD)/unpacked
	@$(DEB_BUILD)/unpacked/usr/games/pibo2 --version
	@ls $(DEB_BUILD)/pibo2_*.deb

# The package unpacked into a scratch root and played from its launcher on a virtual display.
test-deb: deb
	tests/deb/deb_test.sh $$(ls -t $(DEB_BUILD)/pibo2_*.deb | head -1)

# The game for 64-bit Windows, cross-built with Debian's mingw-w64: WINDOWS_BUILD/pibo2 and its
# zip. The libraries come from Debian's source packages like the browser's (~/.cache/pibo2).
WINDOWS_BUILD ?= build-windows
windows: build
	@scripts/setup.sh windows
	@scripts/windows_build.sh $(BUILD) $(WINDOWS_BUILD)

# The zip unpacked and played under wine on a virtual display; its simulator against Linux's.
test-windows: windows
	tests/windows/windows_test.sh $(WINDOWS_BUILD) $(BUILD)

bench: build
	$(BUILD)/bench/pibo-bench $(ARGS)
	bench/startup/first_frame.sh $(BUILD)
	bench/play/share_of_core.sh $(BUILD)

# Instructions a pass takes under callgrind: the repeatable reference.
bench-instructions: build
	bench/instructions.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(WEB_BUILD) $(DEB_BUILD) $(WINDOWS_BUILD)
