BUILD ?= build
JOBS ?= $(shell nproc)

# The fuzz build: clang, libFuzzer and the address and undefined-behaviour
# sanitizers, in its own folder. `make fuzz` runs each driver FUZZ_SECONDS
# (FUZZ_PARALLEL drivers at a time); `make test` runs each briefly over its seeds.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_PARALLEL ?= 1
FUZZ_TEST_SECONDS ?= 3
FUZZ_TEST_PARALLEL ?= 4

.PHONY: all deps configure build run test bench clean fuzz-build fuzz

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/kelvor

test: build fuzz-build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	@fuzz/run-fuzzers --build $(FUZZ_BUILD) --data $(BUILD)/data --seeds-only \
	  --seconds $(FUZZ_TEST_SECONDS) --parallel $(FUZZ_TEST_PARALLEL)

fuzz-build: build
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DKELVOR_FUZZ=ON -DKELVOR_FUZZ_DATA_DIR=$(abspath $(BUILD))/data > /dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers

fuzz: fuzz-build
	@fuzz/run-fuzzers --build $(FUZZ_BUILD) --data $(BUILD)/data \
	  --seconds $(FUZZ_SECONDS) --parallel $(FUZZ_PARALLEL)

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b; done

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD)
