BUILD ?= build
SAN_BUILD ?= build-san
JOBS ?= $(shell nproc)
# The sanitizers stop at the first fault; leaks of the GUI toolkit's own
# singletons at exit are not ours to report.
SAN_ENV = ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:strict_string_checks=1 \
          UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: all deps configure build run test test-plain test-sanitized sanitized bench clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The same program and tests with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitized: deps
	@cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVOR_SANITIZE=ON > /dev/null
	@$(SAN_ENV) cmake --build $(SAN_BUILD) -j $(JOBS)

run: build
	$(BUILD)/kelvor

test: test-plain test-sanitized

test-plain: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-sanitized: sanitized
	cd $(SAN_BUILD) && $(SAN_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b; done

clean:
	rm -rf $(BUILD) $(SAN_BUILD)
