# The two commands that matter: `make run` and `make test`. Both set the machine up first.
BUILD ?= build
CONFIG ?= RelWithDebInfo
ARGS ?=

.PHONY: setup configure build run test bench clean

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

bench: build
	$(BUILD)/bench/pibo-bench $(ARGS)

clean:
	rm -rf $(BUILD)
