# Front door for players and contributors; CMake and Ninja do the real work.
BUILD          ?= build
SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD     ?= build-fuzz
FUZZ_SECONDS   ?= 300
BUILD_TYPE     ?= RelWithDebInfo
JOBS           ?= $(shell nproc)
# Our own builds stop at any warning; a packager's cmake call leaves this off.
WERROR         ?= ON

.PHONY: deps configure build run test test-sanitize format-check tidy release-builds soak fuzz-build fuzz fuzz-ci bench bench-all hover-band start-survival difficulty assets clean

deps:
	@tools/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
		-DFLEETWING_WERROR=$(WERROR) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Builds the game alone: playing need not wait for the tests and benchmarks.
run: configure
	@cmake --build $(BUILD) -j $(JOBS) --target fleetwing
	./$(BUILD)/fleetwing

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFLEETWING_SANITIZE=ON \
		-DFLEETWING_WERROR=$(WERROR) >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && ctest --output-on-failure -j $(JOBS)

# Every C++ file as clang-format writes it (tools/check-format.sh names the ones that differ).
format-check:
	@tools/install-deps.sh clang-format
	@tools/check-format.sh

# clang-tidy with the checks of .clang-tidy over our own sources, two files at a time; any
# finding fails (tools/run-tidy.sh prints them and the time it took).
tidy: configure
	@tools/install-deps.sh clang-tidy
	@tools/run-tidy.sh $(BUILD)

# What a packager builds: everything in Release with GCC, and the game and vela-run alone
# with clang and BUILD_TESTING=OFF, both with warnings as errors.
release-builds: deps
	@tools/install-deps.sh clang
	@cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DFLEETWING_WERROR=ON >/dev/null
	@cmake --build build-release -j $(JOBS)
	@CC=clang CXX=clang++ cmake -S . -B build-clang -G Ninja -DCMAKE_BUILD_TYPE=Release \
		-DBUILD_TESTING=OFF -DFLEETWING_WERROR=ON >/dev/null
	@cmake --build build-clang -j $(JOBS)

# Long runs, not part of test: the eight level replays played over and over in one vela-run
# under the sanitizers, one level under valgrind, and a thousand starts and quits of vela-run
# (tools/soak.sh prints the figures).
soak:
	@tools/install-deps.sh valgrind python3
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target vela-run
	@cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFLEETWING_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS) --target vela-run
	tools/soak.sh $(BUILD) $(SANITIZE_BUILD)

# libFuzzer harnesses of fuzz/, built with clang under the address and undefined-behaviour
# sanitizers, each run for FUZZ_SECONDS (fuzz-ci: 30 s each).
fuzz-build:
	@tools/install-deps.sh clang libclang-rt-14-dev
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DFLEETWING_FUZZ=ON -DFLEETWING_WERROR=$(WERROR) >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers

fuzz: fuzz-build
	tools/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

fuzz-ci:
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=30

# One table: each figure beside a baseline measured in the same run, the ratio and the target
# (tools/bench-table.py); bench-all runs every program of bench/ raw.
bench: configure
	@tools/install-deps.sh xvfb
	@cmake --build $(BUILD) -j $(JOBS) --target bench_programs vela-run
	@/usr/bin/python3 tools/bench-table.py --build $(BUILD)

bench-all: configure
	@cmake --build $(BUILD) -j $(JOBS) --target bench_programs
	@for b in $(BUILD)/bench/*; do [ -f "$$b" ] && [ -x "$$b" ] || continue; \
		SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy "$$b" || exit 1; done

# How wide the band of hovering cursor distances is in each level (tools/hover-band.py).
hover-band: configure
	@cmake --build $(BUILD) -j $(JOBS) --target vela-run
	@/usr/bin/python3 tools/hover-band.py --vela-run $(BUILD)/tools/vela-run/vela-run

# How long a level's start lets a player who does nothing, or holds the fan too close, fly
# before the first crash (tools/start-survival.py).
start-survival: configure
	@cmake --build $(BUILD) -j $(JOBS) --target vela-run
	@/usr/bin/python3 tools/start-survival.py --vela-run $(BUILD)/tools/vela-run/vela-run

# How hard each level is for a new player: 50 seeded attempts of the novice pilot per level,
# two vela-runs at once (tools/difficulty.py); writes docs/difficulty.md. About 20 minutes.
difficulty: configure
	@cmake --build $(BUILD) -j $(JOBS) --target vela-run
	@python3 tools/difficulty.py --vela-run $(BUILD)/tools/vela-run/vela-run --out docs/difficulty.md

# Regenerates the committed sprites and sounds from tools/assets.
assets:
	@tools/assets/make-assets.sh

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD) build-release build-clang

# Installs the game, vela-run, the assets, the desktop entry, the icon and the manual pages
# under PREFIX; DESTDIR stages the same tree below another root.
PREFIX ?= /usr/local

.PHONY: install package lintian

install: build
	cmake --install $(BUILD) --prefix $(PREFIX) --strip

# The Debian package (build/fleetwing_VERSION_ARCH.deb), checked by lintian.
package: build
	@tools/install-deps.sh lintian
	@rm -f $(BUILD)/fleetwing_*.deb
	cd $(BUILD) && cpack -G DEB
	$(MAKE) --no-print-directory lintian

lintian:
	@tools/install-deps.sh lintian
	@ls $(BUILD)/fleetwing_*.deb >/dev/null 2>&1 || { echo "No package in $(BUILD): make package"; exit 1; }
	lintian --fail-on error $(BUILD)/fleetwing_*.deb
