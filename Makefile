# Front door for players and contributors; CMake and Ninja do the real work.
BUILD          ?= build
SANITIZE_BUILD ?= build-sanitize
BUILD_TYPE     ?= RelWithDebInfo
JOBS           ?= $(shell nproc)

.PHONY: deps configure build run test test-sanitize bench assets clean

deps:
	@tools/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/fleetwing

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFLEETWING_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/*; do [ -x "$$b" ] && "$$b" || exit 1; done

# Regenerates the committed sprites and sounds from tools/assets.
assets:
	@tools/assets/make-assets.sh

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
