# Tessel Works: the two everyday commands.
#   make run   builds, then runs the program on the demo project
#   make test  builds everything and runs every test
# Both install the Debian packages they need first (scripts/setup-deps.sh).

BUILD ?= build
PRESET ?= dev
JOBS ?= $(shell nproc)

.PHONY: run test deps build test-asan bench clean

deps:
	@bash scripts/setup-deps.sh

build: deps
	@cmake --preset $(PRESET) >/dev/null
	@cmake --build --preset $(PRESET) -j $(JOBS)

test: build
	@ctest --preset $(PRESET) -j $(JOBS)

# The core and tool tests under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)
	@ctest --preset asan -j $(JOBS)

run: build
	@bash scripts/run-demo.sh $(BUILD)

bench: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j $(JOBS)

clean:
	rm -rf build build-asan build-release build-fuzz
