BUILD ?= build
SAN_BUILD ?= build-san
JOBS ?= $(shell nproc)
# The sanitizers stop at the first fault; leaks of the GUI toolkit's own
# singletons at exit are not ours to report.
SAN_ENV = ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:strict_string_checks=1 \
          UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# The fuzz build: clang, libFuzzer and the address and undefined-behaviour
# sanitizers, in its own folder. `make fuzz` runs each driver FUZZ_SECONDS
# (FUZZ_PARALLEL drivers at a time). `make test` runs every seed of each driver
# once, with the drivers of the sanitizer build (the same readers and
# sanitizers, without the fuzzing engine, so the libraries are compiled twice
# rather than three times).
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_PARALLEL ?= 1

.PHONY: all deps configure build run package test test-plain test-fuzz test-sanitized sanitized bench clean fuzz-build fuzz \
        lint format

# `make test` runs the style checks (`make lint`) with the tests;
# `make test LINT=0` leaves them out. (make has a LINT of its own, the name of
# the C lint program, which this one replaces unless it is given.)
ifeq ($(origin LINT),default)
LINT := 1
endif

# scripts/time-test sets STEP_TIMES to a file that each step's wall clock and
# CPU time are added to; otherwise the steps run untimed.
STEP_TIMES ?=
timed = $(if $(STEP_TIMES),/usr/bin/time -f "$(1) wall=%e user=%U sys=%S exit=%x" -a -o $(abspath $(STEP_TIMES)) )

all: build

deps:
	@scripts/install-deps

configure: deps
	@$(call timed,configure)cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null

build: configure
	@$(call timed,build)cmake --build $(BUILD) -j $(JOBS)

# The same program and tests with AddressSanitizer and UndefinedBehaviorSanitizer.
# The data tree is the plain build's (the same sources make the same tree; its
# tools, and the ephemeris tables above all, are the slowest steps), so the
# sanitizer build builds none of the data tools; its tests and fuzz seeds read
# the plain build's tree, which its own build does not need.
sanitized: deps
	@$(call timed,configure-sanitized)cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DKELVOR_SANITIZE=ON -DKELVOR_DATA_TREE_FROM=$(abspath $(BUILD))/data > /dev/null
	@$(SAN_ENV) $(call timed,sanitized)cmake --build $(SAN_BUILD) -j $(JOBS)

run: build
	$(BUILD)/kelvor

# The Debian package kelvor_<version>_amd64.deb in the build folder, made by
# CPack from the install rules (its dependencies by dpkg-shlibdeps), then
# checked by lintian: an error fails, the warnings are shown.
VERSION = $(shell sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' $(BUILD)/CMakeCache.txt)
package: build
	@cd $(BUILD) && $(call timed,package)cpack > /dev/null
	@echo "$(BUILD)/kelvor_$(VERSION)_amd64.deb"
	@$(call timed,lintian)lintian --fail-on error $(BUILD)/kelvor_$(VERSION)_amd64.deb

# The plain suite (with the checks of the package, which it builds first), every
# fuzz driver over its seeds, the sanitizer suite, and (unless LINT=0) the style
# checks. Two steps run side by side, each with JOBS jobs, so that what one
# leaves idle (a link, the package's tools, the slowest tests) the other takes:
# the plain build with the sanitizer build, then the package, the plain tests
# and the style checks with the rest of the sanitizer build, then the fuzz
# seeds and the sanitizer tests. No test's verdict depends on the machine's
# load. A failed step stops none of the others, and each step's output is
# shown whole when it ends.
test:
	@$(MAKE) --no-print-directory -k -j 2 --output-sync=target test-plain test-fuzz test-sanitized \
	  $(if $(filter 1,$(LINT)),lint)

test-plain: package
	@$(call timed,test-plain)scripts/run-tests $(BUILD) $(JOBS)

test-fuzz: sanitized build
	@$(SAN_ENV) $(call timed,test-fuzz)fuzz/run-fuzzers --build $(SAN_BUILD) --data $(BUILD)/data --seeds-only \
	  --parallel $(JOBS)

test-sanitized: sanitized build
	@$(SAN_ENV) $(call timed,test-sanitized)scripts/run-tests $(SAN_BUILD) $(JOBS)

# The style checks: clang-format over the tree's C++ files and clang-tidy over
# the plain build's sources (scripts/lint); `make format` rewrites the files as
# clang-format would.
lint: build
	@$(call timed,lint)scripts/lint $(BUILD) $(JOBS)

format:
	@git ls-files -z -- '*.cpp' '*.h' | xargs -0 -n 25 -P $(JOBS) clang-format-14 -i

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
	rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD)
