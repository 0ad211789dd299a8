# Two commands for a fresh Debian 12 machine: `make run` and `make test`.
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: all deps build run test test-sanitize fuzz bench clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run.sh $(BUILD)

test: build
	scripts/test.sh $(BUILD)

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer; must be silent.
test-sanitize: deps
	scripts/test-sanitize.sh $(BUILD)-sanitize

# Each libFuzzer harness for FUZZ_SECONDS (default 60), built with clang.
FUZZ_SECONDS ?= 60
fuzz:
	scripts/install-deps.sh fuzz
	scripts/fuzz.sh $(BUILD)-fuzz $(FUZZ_SECONDS)

bench: build
	cmake --build $(BUILD) --target benchmarks -j $(JOBS)
	@bench/run.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(BUILD)-sanitize $(BUILD)-fuzz
